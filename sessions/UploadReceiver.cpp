#include "sessions/UploadReceiver.h"

#include "foundation/FileUtil.h"
#include "foundation/Packet.h"
#include "sessions/core/ReceivedFileName.h"

#include <ctime>
#include <string>

namespace {

std::u16string TodayFolderName()
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    const std::tm* fields = std::localtime(&now);
    if (fields)
        local = *fields;
    return DayFolderName(local);
}

bool PathExists(const std::u16string& path)
{
    return ::GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str())) !=
           INVALID_FILE_ATTRIBUTES;
}

} // namespace

CUploadReceiver::Result CUploadReceiver::Accept(const CPacket& piece, const CString& classText)
{
    const UploadDecision decision = m_tracker.Accept(piece.m_transferKind, piece.m_pieceCount,
                                                     piece.m_pieceNumber, piece.m_fileDataLength);
    switch (decision.step) {
    case UploadStep::Ignore:
        return Result::Ignored;
    case UploadStep::Refuse:
        return Refuse();
    case UploadStep::Open:
        if (!OpenFile(piece.m_fileName, classText))
            return Refuse();
        break;
    case UploadStep::Append:
        if (m_file == INVALID_HANDLE_VALUE)
            return Refuse();
        break;
    }
    if (!Write(piece.m_fileData, piece.m_fileDataLength))
        return Refuse();
    if (decision.closeAfter)
        Close();
    return Result::Written;
}

void CUploadReceiver::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_tracker.Reset();
}

CUploadReceiver::Result CUploadReceiver::Refuse()
{
    Close();
    return Result::Refused;
}

bool CUploadReceiver::OpenFile(const CString& wireName, const CString& classText)
{
    if (m_file != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    const std::u16string name = ReceivedFileName(ToU16(wireName));
    if (name.empty()) {
        TRACE(L"Upload refused: unusable file name\n");
        return false;
    }
    const CString programFolder = m_programFolder.IsEmpty() ? GetModuleDirectory() : m_programFolder;
    const std::u16string folder = UploadFolder(ToU16(programFolder), TodayFolderName(), ToU16(classText));
    if (!MakeDirectories(reinterpret_cast<const wchar_t*>(folder.c_str())))
        return false;
    const std::u16string freeName = FreeFileName(name, [&folder](const std::u16string& candidate) {
        return PathExists(folder + u"\\" + candidate);
    });
    if (freeName.empty())
        return false;
    m_path = FromU16(folder + u"\\" + freeName);
    // CREATE_NEW: a file that appeared since the check is not overwritten either.
    m_file = ::CreateFileW(m_path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return m_file != INVALID_HANDLE_VALUE;
}

bool CUploadReceiver::Write(const BYTE* bytes, UINT length)
{
    if (length == 0)
        return true;
    DWORD written = 0;
    return bytes && ::WriteFile(m_file, bytes, length, &written, nullptr) && written == length;
}
