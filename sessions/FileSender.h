// CFileSender: the one file a student's thread is sending, and the whole state of that send.
// Pieces are of at most 307200 bytes and numbered 0 to the piece count: every piece below the
// count carries bytes, and the last one, numbered with the count itself, carries none and tells
// the student to close the file. A send runs from Begin until the closing piece is acknowledged,
// a piece cannot be read, the teacher stops it or the connection ends; while it runs the file
// is open.
#pragma once

#include "framework/Afx.h"

#include <cstdint>
#include <memory>
#include <vector>

class CPacket;

// The result of one file at one student, as the transfer dialog is told it (the number is the
// status it receives).
enum class FileSendStatus { Done = 0, ReadFailed = 1, OpenFailed = 2, ConnectionLost = 3 };

class CFileSender {
public:
    CFileSender() = default;
    ~CFileSender() { Close(); }
    CFileSender(const CFileSender&) = delete;
    CFileSender& operator=(const CFileSender&) = delete;

    // Opens the file for reading (read sharing, sequential), counts its pieces and makes piece 0
    // of the given transfer kind; the file name sent with every piece is the part after the last
    // "\". Null with OpenFailed or ReadFailed when the send could not begin (the file is closed
    // again).
    std::unique_ptr<CPacket> Begin(const CString& path, UINT transferKind, FileSendStatus& failure);
    // The piece after the last one made; null when it cannot be read (the send ends). A piece's
    // bytes stay in the sender: send it before the next piece is made.
    std::unique_ptr<CPacket> MakeNextPiece();
    // The teacher stopped it, the connection ended or the last piece was acknowledged.
    void Close();

    bool IsRunning() const { return m_file != INVALID_HANDLE_VALUE; }
    // The closing piece has been made: its acknowledgement completes the file.
    bool IsLastPieceMade() const { return m_currentPiece >= m_pieceCount; }
    const CString& GetFileName() const { return m_fileName; }
    uint64_t GetFileSize() const { return m_fileSize; }
    UINT GetPieceCount() const { return m_pieceCount; }
    // The number of the last piece made.
    UINT GetCurrentPiece() const { return m_currentPiece; }
    // Of the last piece made, 0 to 100 (0 for an empty file).
    int GetPercent() const;

private:
    bool ReadPiece(UINT pieceNumber);
    std::unique_ptr<CPacket> MakePiece(UINT pieceNumber);

    HANDLE m_file = INVALID_HANDLE_VALUE;
    CString m_fileName;
    uint64_t m_fileSize = 0;
    UINT m_pieceCount = 0;
    UINT m_currentPiece = 0;
    UINT m_transferKind = 2;
    std::vector<BYTE> m_pieceBytes;
};
