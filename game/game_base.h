#pragma once
// GameBase: what every game of the engine keeps between frames, whatever its
// rules: the flow state, the last final score, the current player and a few
// timing values. A game derives from it and supplies Init, Unload and Update.
#include <cstdint>

// The states of the game flow. The numbers are the stored values; others are
// never set.
enum class GameState : int32_t {
    Idle = 0,           // no game running; the "newgame" button blinks
    Playing = 1,        // clicks search the board
    NewGame = 9,        // start a game at once
    RoundCleared = 10,  // all treasure of the round found; waiting one second
    Victory = 12,       // the ninth round is cleared; waiting, then the tally
    GameOver = 14,      // no turns left; waiting one second
};

class GameBase {
public:
    static constexpr int kTimingValues = 5;

    virtual ~GameBase() = default;
    virtual void Init() {}
    virtual void Unload() {}
    // The frame's work; -1 for a game without rules.
    virtual int Update() { return -1; }

    GameState GetState() const { return state; }
    void SetState(GameState value) { state = value; }
    void SetLastScore(int32_t value) { lastScore = value; }
    int32_t GetLastScore() const { return lastScore; }
    void SetTiming(int index, int32_t value) { timing[index] = value; }
    int32_t GetTiming(int index) const { return timing[index]; }
    void SetPlayerIndex(int32_t value) { playerIndex = value; }
    int32_t GetPlayerIndex() const { return playerIndex; }

protected:
    GameState state = GameState::Idle;
    int32_t lastScore = 0;
    int32_t playerIndex = 0;
    // The time limit and its companions; stored, never read by this game.
    int32_t timing[kTimingValues] = {};
};
