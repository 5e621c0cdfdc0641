// Test fixture: one admitted student — a slot record, a CPCThread serving the console's end of a
// loopback connection, a scripted peer on the student's end, and message-only windows standing
// in for the view, the log, the quiz and the file-transfer dialog.
#pragma once

#include "ScriptedPeer.h"

#include "sessions/LogInfo.h"
#include "sessions/PCInfo.h"
#include "sessions/PCThread.h"
#include "sessions/StudentThreadLinks.h"

#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

constexpr UINT WM_TEST_QUIZ_ANNOUNCE = WM_APP + 900;

// Records every private message it gets and takes over the heap objects they carry.
class CRecordingWnd : public CWnd {
public:
    struct Record {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        CString text;    // the carried text (chat, quiz, transfer path, address report)
    };

    CRecordingWnd() { CreateMessageWindow(L"recorder"); }
    ~CRecordingWnd() override { DestroyWindow(); }

    int Count(UINT message) const;
    const Record* Last(UINT message) const;
    std::vector<Record> All(UINT message) const;

    std::vector<Record> m_records;
    std::vector<std::unique_ptr<CLogInfo>> m_logs;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class StudentFixture : public ::testing::Test {
protected:
    static constexpr int kConnectionId = 10001;
    static constexpr int kSlotNumber = 7;

    void SetUp() override;
    void TearDown() override;

    // Starts the thread on a fresh loopback pair; false when anything failed.
    bool StartStudent(CPCInfo& slot, std::unique_ptr<CScriptedPeer>& peer, HANDLE& threadHandle,
                      int connectionId = kConnectionId);
    bool WaitThreadEnd(HANDLE threadHandle);
    bool PostCommand(const wchar_t* text, LPARAM lParam = 0);

    StudentThreadLinks Links() const;

    CPCInfo m_slot;
    std::unique_ptr<CScriptedPeer> m_peer;
    HANDLE m_threadHandle = nullptr;
    CRecordingWnd m_view;
    CRecordingWnd m_log;
    CRecordingWnd m_quiz;
    CRecordingWnd m_transfer;
    CString m_programFolder;   // a fresh temporary folder for uploads
};
