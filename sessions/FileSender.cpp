#include "sessions/FileSender.h"

#include "foundation/Packet.h"
#include "sessions/core/UploadPieceTracker.h"

std::unique_ptr<CPacket> CFileSender::Begin(const CString& path, UINT transferKind,
                                            FileSendStatus& failure)
{
    Close();
    m_file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    LARGE_INTEGER size = {};
    if (m_file == INVALID_HANDLE_VALUE || !::GetFileSizeEx(m_file, &size) || size.QuadPart < 0) {
        Close();
        failure = FileSendStatus::OpenFailed;
        return nullptr;
    }
    const int slash = path.ReverseFind(L'\\');
    m_fileName = slash < 0 ? path : path.Mid(slash + 1);
    m_fileSize = static_cast<uint64_t>(size.QuadPart);
    m_pieceCount = FilePieceCount(m_fileSize);
    m_transferKind = transferKind;
    std::unique_ptr<CPacket> first = MakePiece(0);
    if (!first)
        failure = FileSendStatus::ReadFailed;
    return first;
}

std::unique_ptr<CPacket> CFileSender::MakeNextPiece()
{
    return IsRunning() ? MakePiece(m_currentPiece + 1) : nullptr;
}

void CFileSender::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}

int CFileSender::GetPercent() const
{
    return FileSendPercent(m_currentPiece, m_pieceCount);
}

std::unique_ptr<CPacket> CFileSender::MakePiece(UINT pieceNumber)
{
    if (!ReadPiece(pieceNumber)) {
        Close();
        return nullptr;
    }
    m_currentPiece = pieceNumber;
    return std::make_unique<CPacket>(m_transferKind, m_pieceCount, pieceNumber, m_fileName,
                                     m_pieceBytes.data(), static_cast<UINT>(m_pieceBytes.size()));
}

bool CFileSender::ReadPiece(UINT pieceNumber)
{
    m_pieceBytes.clear();
    if (pieceNumber >= m_pieceCount)
        return true;   // the closing piece
    LARGE_INTEGER offset;
    offset.QuadPart = static_cast<LONGLONG>(pieceNumber) * static_cast<LONGLONG>(kFilePieceSize);
    if (!::SetFilePointerEx(m_file, offset, nullptr, FILE_BEGIN))
        return false;
    const uint64_t left = m_fileSize - static_cast<uint64_t>(offset.QuadPart);
    const DWORD wanted = static_cast<DWORD>(left < kFilePieceSize ? left : kFilePieceSize);
    m_pieceBytes.resize(wanted);
    DWORD read = 0;
    // A file that shrank meanwhile would reach the student cut short: that is a read failure.
    return ::ReadFile(m_file, m_pieceBytes.data(), wanted, &read, nullptr) && read == wanted;
}
