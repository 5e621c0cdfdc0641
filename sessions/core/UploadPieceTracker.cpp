#include "sessions/core/UploadPieceTracker.h"

#include <limits>

UploadDecision CUploadPieceTracker::Accept(uint32_t transferKind, uint32_t pieceCount, uint32_t pieceNumber,
                                           size_t byteCount)
{
    UploadDecision decision;
    if (transferKind != kUploadTransferKind) return decision;
    decision.step = UploadStep::Refuse;
    const bool follows = pieceNumber == 0 || (m_open && pieceNumber == m_nextPiece && pieceCount == m_pieceCount);
    if (byteCount > kFilePieceSize || pieceNumber > pieceCount || !follows) {
        Reset();
        return decision;
    }
    decision.step = pieceNumber == 0 ? UploadStep::Open : UploadStep::Append;
    decision.closeAfter = pieceNumber == pieceCount || (pieceNumber == 0 && byteCount == 0);
    m_open = !decision.closeAfter;
    m_pieceCount = pieceCount;
    m_nextPiece = pieceNumber + 1;
    return decision;
}

void CUploadPieceTracker::Reset()
{
    m_open = false;
    m_pieceCount = 0;
    m_nextPiece = 0;
}

uint32_t FilePieceCount(uint64_t fileSize)
{
    const uint64_t count = fileSize / kFilePieceSize + (fileSize % kFilePieceSize ? 1 : 0);
    return count > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                         : static_cast<uint32_t>(count);
}

int FileSendPercent(uint32_t currentPiece, uint32_t pieceCount)
{
    if (pieceCount == 0) return 0;
    return static_cast<int>(static_cast<uint64_t>(currentPiece) * 100 / pieceCount);
}
