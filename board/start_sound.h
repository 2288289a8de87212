#pragma once

// The sound the start command plays while the bars race. play() returns at
// once; the sound goes on during the animation.
class StartSound
{
public:
    virtual ~StartSound() = default;
    virtual void play() = 0;
};
