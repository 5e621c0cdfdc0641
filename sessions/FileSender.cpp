#include "sessions/FileSender.h"

#include "sessions/core/UploadPieceTracker.h"

bool CFileSender::Open(const CString& path)
{
    Close();
    m_file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(m_file, &size) || size.QuadPart < 0) {
        Close();
        return false;
    }
    const int slash = path.ReverseFind(L'\\');
    m_fileName = slash < 0 ? path : path.Mid(slash + 1);
    m_fileSize = static_cast<uint64_t>(size.QuadPart);
    m_pieceCount = FilePieceCount(m_fileSize);
    m_currentPiece = 0;
    return true;
}

void CFileSender::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}

bool CFileSender::ReadPiece(UINT pieceNumber, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (!IsOpen())
        return false;
    if (pieceNumber >= m_pieceCount)
        return true;   // the closing piece
    LARGE_INTEGER offset;
    offset.QuadPart = static_cast<LONGLONG>(pieceNumber) * static_cast<LONGLONG>(kFilePieceSize);
    if (!::SetFilePointerEx(m_file, offset, nullptr, FILE_BEGIN))
        return false;
    const uint64_t left = m_fileSize - static_cast<uint64_t>(offset.QuadPart);
    const DWORD wanted = static_cast<DWORD>(left < kFilePieceSize ? left : kFilePieceSize);
    bytes.resize(wanted);
    DWORD read = 0;
    if (!::ReadFile(m_file, bytes.data(), wanted, &read, nullptr)) {
        bytes.clear();
        return false;
    }
    bytes.resize(read);
    return true;
}
