#pragma once
// A search host that writes down every call a search makes, in order.
#include <string>
#include <vector>

#include "game/search_host.h"

class RecordingHost : public SearchHost {
public:
    void RedrawDirtyCells() override { calls.push_back("redraw"); }
    void PresentScene() override { calls.push_back("present"); }
    void Pause(uint32_t milliseconds) override { calls.push_back("pause " + std::to_string(milliseconds)); }
    void PlaySound(const char* name) override { calls.push_back(std::string("play ") + name); }
    void StopSound(const char* name) override { calls.push_back(std::string("stop ") + name); }
    void SpawnFloatingScore(int cell, int pointsImage) override {
        calls.push_back("score " + std::to_string(cell) + " " + std::to_string(pointsImage));
        pointsImages.push_back(pointsImage);
    }
    void ShowTurnBonus(int bonus) override {
        calls.push_back("bonus " + std::to_string(bonus));
        bonuses.push_back(bonus);
    }

    int Count(const std::string& call) const {
        int n = 0;
        for (const std::string& c : calls) n += c == call;
        return n;
    }

    std::vector<std::string> calls;
    std::vector<int> pointsImages;
    std::vector<int> bonuses;
};
