// CFileSender: the file a student's thread is sending, read in pieces of 307200 bytes. Pieces
// are numbered 0 to the piece count: every piece below the count carries bytes, and the last one,
// numbered with the count itself, carries none and tells the student to close the file.
#pragma once

#include "framework/Afx.h"

#include <cstdint>
#include <vector>

class CFileSender {
public:
    CFileSender() = default;
    ~CFileSender() { Close(); }
    CFileSender(const CFileSender&) = delete;
    CFileSender& operator=(const CFileSender&) = delete;

    // Opens the file for reading (read sharing, sequential) and counts its pieces; the file name
    // sent with every piece is the part after the last "\". False when it cannot be opened.
    bool Open(const CString& path);
    void Close();
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }

    // The bytes of the piece numbered pieceNumber (none for the last one); false when the read
    // fails.
    bool ReadPiece(UINT pieceNumber, std::vector<BYTE>& bytes);

    const CString& GetFileName() const { return m_fileName; }
    uint64_t GetFileSize() const { return m_fileSize; }
    UINT GetPieceCount() const { return m_pieceCount; }
    // The number of the last piece sent.
    UINT GetCurrentPiece() const { return m_currentPiece; }
    void SetCurrentPiece(UINT piece) { m_currentPiece = piece; }
    bool HasPiecesLeft() const { return m_currentPiece < m_pieceCount; }

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    CString m_fileName;
    uint64_t m_fileSize = 0;
    UINT m_pieceCount = 0;
    UINT m_currentPiece = 0;
};
