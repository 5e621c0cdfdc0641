// The view's periodic decisions over a monotonic millisecond tick (GetTickCount): which seats
// have gone silent, when a session-changing mark expires, when the login server is given up,
// and when students are told to slow their thumbnails. Tick differences are taken modulo 2^32,
// so the 49.7-day wrap of the tick changes nothing.
#pragma once

#include <cstdint>

// Timer ids of the view window.
enum ViewTimer {
    kTimerHeartbeat = 1,
    kTimerReconnect = 2,
    kTimerThumbnailPace = 1000,
    kTimerRepaint = 1002,
    kTimerLoginDialog = 1004,
    kTimerConnectTimeout = 1005,
    kTimerLoginKeepAlive = 1006,
    kTimerGroupSave = 1009,
    kTimerCollectAnswers = 1010,
    kTimerPadRestart = 1011,
};

constexpr uint32_t kHeartbeatPeriodMs = 10000;
constexpr uint32_t kReconnectDelayMs = 20000;
constexpr uint32_t kThumbnailPacePeriodMs = 1000;
constexpr uint32_t kRepaintPeriodMs = 50;
constexpr uint32_t kLoginDialogDelayMs = 200;
constexpr uint32_t kConnectTimeoutMs = 10000;
constexpr uint32_t kLoginKeepAlivePeriodMs = 60000;
constexpr uint32_t kGroupSaveDelayMs = 1000;
// How long the combined session waits for the picked students to lend their connections; well
// within the ten seconds a student's thread keeps one lent.
constexpr uint32_t kCollectAnswerWaitMs = 5000;

// The pad holding the stream of the teacher's screen asks for a new one when its screen turns:
// at most one restart this often, a request meanwhile waiting for the period's end.
constexpr uint32_t kPadRestartSpacingMs = 1000;

constexpr int32_t kStudentSilenceLimitMs = 30000;
constexpr int32_t kSessionChangingLimitMs = 60000;
constexpr int32_t kLoginServerSilenceLimitMs = 183000;
// The thumbnail period asked of every student while a remote viewer is open.
constexpr int kSlowThumbnailDelayMs = 10000;

// Milliseconds from then to now. A stamp a little after now (written by a student thread after
// the timer read the tick) counts as negative, not as 49 days ago.
int32_t TicksSince(uint32_t now, uint32_t then);

// An online seat silent for more than 30 s is ended at the heartbeat.
bool IsStudentSilent(uint32_t now, uint32_t lastHeard);
// A session-changing mark set more than 60 s ago is cleared.
bool HasSessionChangingExpired(uint32_t now, uint32_t markedAt);
// The login server is given up after more than 183 s without a word, once it has also left the
// console's previous keep-alive (sent at lastAsked, or the login) unanswered. The server speaks
// when asked: a keep-alive timer held back by a busy UI thread is the console's silence, not
// the server's, and must not end a session the server has answered all along.
bool IsLoginServerSilent(uint32_t now, uint32_t lastWord, uint32_t lastAsked);

enum class ThumbnailPace { Unchanged, Slow, Restore };
// Slow while a student view window is open, back to the configured delay once none is; only
// while the "optminrefresh" option is on.
ThumbnailPace DecideThumbnailPace(bool minRefreshOption, int openViewCount, bool slowed);
