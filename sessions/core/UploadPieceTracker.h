// The pieces of a file a student uploads (type 9, kind 3): piece 0 opens the file, the next
// pieces follow in order, and the piece numbered with the piece count closes it. The tracker
// decides; the student thread's window does the file work and answers "[KW00105]".
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kUploadTransferKind = 3;
// The piece size both sides use; a longer piece is refused before it is written.
constexpr size_t kFilePieceSize = 307200;

enum class UploadStep {
    Ignore,     // not an upload piece: no answer at all
    Refuse,     // close the open file (if any) and answer 0
    Open,       // create the file (closing one still open), write the bytes
    Append,     // write the bytes to the open file
};

struct UploadDecision {
    UploadStep step = UploadStep::Ignore;
    bool closeAfter = false;    // the file is complete once these bytes are written
};

class CUploadPieceTracker {
public:
    // Decides for one piece and advances as if the file work succeeds. A piece that does not
    // follow the one before (a later piece with no open file, a skipped or repeated number, a
    // changed count, a number past the count) is refused rather than written at the wrong place.
    UploadDecision Accept(uint32_t transferKind, uint32_t pieceCount, uint32_t pieceNumber, size_t byteCount);
    // The file work failed, or the connection closed: no file is open any more.
    void Reset();
    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
    uint32_t m_pieceCount = 0;
    uint32_t m_nextPiece = 0;
};

// Sending side: the number of 307200-byte pieces of a file, rounded up, and the progress
// percentage after a piece (0 for an empty file).
uint32_t FilePieceCount(uint64_t fileSize);
int FileSendPercent(uint32_t currentPiece, uint32_t pieceCount);
