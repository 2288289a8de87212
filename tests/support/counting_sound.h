#pragma once

#include "start_sound.h"

// A start sound that only counts how often it was played.
class CountingSound final : public StartSound
{
public:
    int plays = 0;
    void play() override { ++plays; }
};
