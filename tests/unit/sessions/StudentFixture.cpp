#include "StudentFixture.h"

#include "foundation/AppMessages.h"
#include "framework/LoopbackPair.h"
#include "sessions/StudentPosting.h"

#include <shellapi.h>

// -- CRecordingWnd ---------------------------------------------------------------------------------

LRESULT CRecordingWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message < WM_USER)
        return CWnd::WindowProc(message, wParam, lParam);
    Record record{message, wParam, lParam, CString()};
    switch (message) {
    case WM_ADD_LOG_RECORD:
        if (wParam == MessageMarker)
            m_logs.emplace_back(reinterpret_cast<CLogInfo*>(lParam));
        break;
    case WM_TRANSFER_PROGRESS:
    case WM_TRANSFER_STATUS: {
        std::unique_ptr<CString> path(reinterpret_cast<CString*>(wParam));
        record.text = *path;
        break;
    }
    case WM_TEST_QUIZ_ANNOUNCE: {
        std::unique_ptr<CString> text(reinterpret_cast<CString*>(lParam));
        record.text = *text;
        break;
    }
    case WM_STUDENT_ADDRESS_REPORT: {
        std::unique_ptr<CString> text(reinterpret_cast<CString*>(lParam));
        record.text = *text;
        break;
    }
    default:
        break;
    }
    m_records.push_back(record);
    return 0;
}

int CRecordingWnd::Count(UINT message) const
{
    int count = 0;
    for (const Record& record : m_records)
        count += record.message == message;
    return count;
}

const CRecordingWnd::Record* CRecordingWnd::Last(UINT message) const
{
    for (auto it = m_records.rbegin(); it != m_records.rend(); ++it)
        if (it->message == message)
            return &*it;
    return nullptr;
}

std::vector<CRecordingWnd::Record> CRecordingWnd::All(UINT message) const
{
    std::vector<Record> found;
    for (const Record& record : m_records)
        if (record.message == message)
            found.push_back(record);
    return found;
}

// -- StudentFixture --------------------------------------------------------------------------------

namespace {

CString MakeTemporaryFolder()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    CString folder;
    folder.Format(L"%slumora-sessions-%lu-%lu", base, GetCurrentProcessId(), GetTickCount());
    CreateDirectoryW(folder, nullptr);
    return folder;
}

void RemoveFolder(const CString& folder)
{
    CString from = folder;
    from.AppendChar(L'\0');   // SHFileOperation wants a double-terminated list
    std::wstring list(from.GetString(), static_cast<size_t>(from.GetLength()) + 1);
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&operation);
}

} // namespace

void StudentFixture::SetUp()
{
    m_programFolder = MakeTemporaryFolder();
    m_slot.m_slotNumber = kSlotNumber;
    m_slot.SetDisplayName(L"Mina");
    ASSERT_TRUE(StartStudent(m_slot, m_peer, m_threadHandle));
}

void StudentFixture::TearDown()
{
    if (m_peer)
        m_peer->Close();
    if (m_threadHandle) {
        EXPECT_TRUE(WaitThreadEnd(m_threadHandle));
        CloseHandle(m_threadHandle);
    }
    RemoveFolder(m_programFolder);
}

StudentThreadLinks StudentFixture::Links() const
{
    StudentThreadLinks links;
    links.view = m_view.GetSafeHwnd();
    links.logWindow = m_log.GetSafeHwnd();
    links.quizWindow = m_quiz.GetSafeHwnd();
    links.quizAnnounceMessage = WM_TEST_QUIZ_ANNOUNCE;
    links.programFolder = m_programFolder;
    return links;
}

bool StudentFixture::StartStudent(CPCInfo& slot, std::unique_ptr<CScriptedPeer>& peer,
                                  HANDLE& threadHandle, int connectionId)
{
    LoopbackPair pair;
    if (!pair.Ok())
        return false;
    const SOCKET consoleEnd = pair.TakeServer();
    CPCThread* thread = CPCThread::Start(&slot, Links(), consoleEnd, connectionId);
    if (!thread) {
        closesocket(consoleEnd);
        return false;
    }
    // The thread cannot end before its peer goes: its handle is still valid here.
    if (!DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &threadHandle,
                         SYNCHRONIZE, FALSE, 0))
        return false;
    peer = std::make_unique<CScriptedPeer>(pair.client);
    pair.client = INVALID_SOCKET;
    // Attached once it answers.
    return peer->RoundTrip();
}

bool StudentFixture::WaitThreadEnd(HANDLE threadHandle)
{
    return WaitPumping(threadHandle);
}

bool StudentFixture::PostCommand(const wchar_t* text, LPARAM lParam)
{
    return PostStudentCommand(m_slot.m_pcThreadId.load(), CString(text), lParam) != FALSE;
}
