// Input a student asks the teacher PC to play (only with the presentation right), and the quiz
// buttons and answers.
#include "StudentFixture.h"

#include "framework/PumpUntil.h"
#include "sessions/InputInjection.h"
#include "sessions/QuizBoard.h"

#include <mutex>
#include <vector>

namespace {

std::mutex g_playedLock;
std::vector<INPUT> g_played;

UINT RecordInputs(UINT count, INPUT* inputs)
{
    std::lock_guard<std::mutex> lock(g_playedLock);
    g_played.insert(g_played.end(), inputs, inputs + count);
    return count;
}

std::vector<INPUT> Played()
{
    std::lock_guard<std::mutex> lock(g_playedLock);
    return g_played;
}

} // namespace

class InputTest : public StudentFixture {
protected:
    void SetUp() override
    {
        {
            std::lock_guard<std::mutex> lock(g_playedLock);
            g_played.clear();
        }
        SetInputSender(&RecordInputs);
        StudentFixture::SetUp();
    }
    void TearDown() override
    {
        StudentFixture::TearDown();
        SetInputSender(nullptr);
    }

    bool SendAllInputKinds()
    {
        KeyEntry key;
        key.message = 0x100;
        key.virtualKey = 'A';
        key.repeatCount = 1;
        key.flags = 0x1E;
        MouseEntry mouse;
        mouse.message = WM_MOUSEMOVE;
        return m_peer->SendText(L"[PC00603]1E9E") && m_peer->SendText(L"[PC00604]") &&
               m_peer->Send(CPacket(std::vector<KeyEntry>{key})) &&
               m_peer->Send(CPacket(std::vector<MouseEntry>{mouse})) && m_peer->RoundTrip();
    }
};

TEST_F(InputTest, NoInputIsPlayedWithoutThePresentationRight)
{
    ASSERT_TRUE(SendAllInputKinds());
    EXPECT_TRUE(Played().empty());
}

TEST_F(InputTest, TheRightGrantedByKW00107IsWhatAllowsInput)
{
    ASSERT_TRUE(PostCommand(L"[KW00107]true"));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00107]true");
    ASSERT_TRUE(m_peer->SendText(L"[PC00603]1e9e"));
    ASSERT_TRUE(m_peer->RoundTrip());
    std::vector<INPUT> played = Played();
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].ki.wScan, 0x1E);
    EXPECT_EQ(played[0].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_SCANCODE));
    EXPECT_EQ(played[1].ki.wScan, 0x9E);
    EXPECT_EQ(played[1].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_SCANCODE | KEYEVENTF_KEYUP));

    ASSERT_TRUE(SendAllInputKinds());
    EXPECT_EQ(Played().size(), 2u + 2u + 2u + 1u + 1u);

    ASSERT_TRUE(PostCommand(L"[KW00107]false"));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00107]false");
    const size_t before = Played().size();
    ASSERT_TRUE(SendAllInputKinds());
    EXPECT_EQ(Played().size(), before);
}

TEST(InputDecisionTest, OnlyAnOnlineHolderOfTheRightMayPlayInput)
{
    CPCInfo slot;
    slot.m_screenControl = 1;
    EXPECT_FALSE(MayPlayInput(slot));    // offline
    slot.SetOnline(10001);
    EXPECT_TRUE(MayPlayInput(slot));
    slot.m_screenControl = 0;
    EXPECT_FALSE(MayPlayInput(slot));
}

TEST(InputDecisionTest, MouseRecordsHoldModifiersAroundTheEvent)
{
    MouseEntry record;
    record.message = WM_RBUTTONDOWN;
    record.keyFlags = 8 | 4;
    record.x = 960;
    record.y = 540;
    record.wheelDelta = -120;
    const std::vector<INPUT> inputs = MouseInputs(record, 1920, 1080);
    ASSERT_EQ(inputs.size(), 5u);
    EXPECT_EQ(inputs[0].ki.wVk, VK_CONTROL);
    EXPECT_EQ(inputs[1].ki.wVk, VK_SHIFT);
    EXPECT_EQ(inputs[2].mi.dwFlags,
              static_cast<DWORD>(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_RIGHTDOWN));
    EXPECT_NEAR(inputs[2].mi.dx, 32767, 1);
    EXPECT_EQ(static_cast<LONG>(inputs[2].mi.mouseData), -120);
    EXPECT_EQ(inputs[3].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_KEYUP));
    EXPECT_EQ(inputs[4].ki.wVk, VK_CONTROL);
    EXPECT_EQ(MouseEventFlags(0x1234), static_cast<DWORD>(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK));
}

// -- Quiz ------------------------------------------------------------------------------------------

class QuizTest : public StudentFixture {
protected:
    void SetUp() override
    {
        g_quizBoard.ResetFirstPress();
        g_quizBoard.ResetAnswers();
        g_quizBoard.SetSpeedQuizOn(true);
        StudentFixture::SetUp();
    }
    void TearDown() override
    {
        StudentFixture::TearDown();
        g_quizBoard.SetSpeedQuizOn(false);
    }
};

TEST_F(QuizTest, RepeatedAnswerReplacesButCountsOnce)
{
    ASSERT_TRUE(m_peer->SendText(L"[PC00401]O"));
    ASSERT_TRUE(m_peer->SendText(L"[PC00401]X"));
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_EQ(m_slot.GetQuizAnswer(), L"X");
    EXPECT_EQ(g_quizBoard.GetAnswerCount(), 1);

    m_slot.ClearQuizAnswer();   // the next question
    ASSERT_TRUE(m_peer->SendText(L"[PC00401]3"));
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_EQ(g_quizBoard.GetAnswerCount(), 2);
}

TEST_F(QuizTest, OnlyTheFirstPressOfARoundWins)
{
    CPCInfo other;
    other.m_slotNumber = 8;
    other.SetDisplayName(L"Joon");
    std::unique_ptr<CScriptedPeer> otherPeer;
    HANDLE otherThread = nullptr;
    ASSERT_TRUE(StartStudent(other, otherPeer, otherThread, kConnectionId + 1));

    ASSERT_TRUE(m_peer->SendText(L"[PC00400]"));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00403]");
    ASSERT_TRUE(otherPeer->SendText(L"[PC00400]"));
    ASSERT_TRUE(otherPeer->RoundTrip());
    EXPECT_TRUE(otherPeer->m_skipped.empty());

    ASSERT_TRUE(PumpUntil([&] { return m_quiz.Count(WM_TEST_QUIZ_ANNOUNCE) >= 1; }));
    PumpPending();
    ASSERT_EQ(m_quiz.Count(WM_TEST_QUIZ_ANNOUNCE), 1);
    EXPECT_NE(m_quiz.Last(WM_TEST_QUIZ_ANNOUNCE)->text.Find(L"[7: Mina]"), -1);

    g_quizBoard.ResetFirstPress();   // a new round
    ASSERT_TRUE(otherPeer->SendText(L"[PC00400]"));
    EXPECT_EQ(otherPeer->ReceiveText(), L"[KW00403]");

    otherPeer->Close();
    EXPECT_TRUE(WaitThreadEnd(otherThread));
    CloseHandle(otherThread);
}

TEST_F(QuizTest, APressOutsideASpeedQuizIsNeitherAnnouncedNorAnswered)
{
    g_quizBoard.SetSpeedQuizOn(false);
    ASSERT_TRUE(m_peer->SendText(L"[PC00400]"));
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_TRUE(m_peer->m_skipped.empty());
    PumpPending();
    EXPECT_EQ(m_quiz.Count(WM_TEST_QUIZ_ANNOUNCE), 0);
    EXPECT_FALSE(g_quizBoard.IsFirstPressTaken());   // the quiz, once on, is still to be won

    g_quizBoard.SetSpeedQuizOn(true);
    ASSERT_TRUE(m_peer->SendText(L"[PC00400]"));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00403]");
}

TEST_F(QuizTest, PadAppEventsBecomeLogRecords)
{
    ASSERT_TRUE(m_peer->SendText(L"[PC00500]com.game.app,Game,x"));
    ASSERT_TRUE(m_peer->SendText(L"[PC00500]com.other,_NONE_,x"));
    ASSERT_TRUE(m_peer->SendText(L"[PC00500]two,fields"));
    ASSERT_TRUE(m_peer->RoundTrip());
    ASSERT_TRUE(PumpUntil([&] { return m_log.m_logs.size() >= 2; }));
    PumpPending();
    ASSERT_EQ(m_log.m_logs.size(), 2u);
    EXPECT_EQ(m_log.m_logs[0]->m_kind, 1);
    EXPECT_EQ(m_log.m_logs[0]->m_content, L"com.game.app");
    EXPECT_EQ(m_log.m_logs[0]->m_kindText, L"Game");
    EXPECT_NE(m_log.m_logs[0]->m_title.Find(L"Game(com.game.app)"), -1);
    EXPECT_NE(m_log.m_logs[1]->m_title.Find(L"com.other"), -1);
    EXPECT_EQ(m_log.m_logs[1]->m_title.Find(L"_NONE_"), -1);
}
