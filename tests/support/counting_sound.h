#pragma once

#include "start_sound.h"

// A start sound that only counts how often it was got ready and played.
class CountingSound final : public StartSound
{
public:
    int prepares = 0;
    int plays = 0;
    void prepare() override { ++prepares; }
    void play() override { ++plays; }
};
