#pragma once

// The sound the start command plays while the bars race. play() returns at
// once; the sound goes on during the animation.
class StartSound
{
public:
    virtual ~StartSound() = default;
    // Gets ready to sound without delay; called when a game is shown, well
    // before the first start. play() gets ready itself when this was missed.
    virtual void prepare() {}
    virtual void play() = 0;
};
