// CUploadReceiver: the file a student uploads (type-9 pieces of kind 3), written into the day's
// folder "<program folder>\StudentFile\<%Y-%m-%d>[\<class text>]". The name from the wire is cut
// to its base name and refused when it names no ordinary file; a name already used that day
// gets " (2)", " (3)"... before its extension, so an earlier upload is never overwritten.
#pragma once

#include "framework/Afx.h"
#include "sessions/core/UploadPieceTracker.h"

class CPacket;

class CUploadReceiver {
public:
    CUploadReceiver() = default;
    ~CUploadReceiver() { Close(); }
    CUploadReceiver(const CUploadReceiver&) = delete;
    CUploadReceiver& operator=(const CUploadReceiver&) = delete;

    // Where the "StudentFile" folder is made.
    void SetProgramFolder(const CString& folder) { m_programFolder = folder; }

    enum class Result { Ignored, Written, Refused };
    // One piece: Ignored for anything but an upload piece (no answer); Written when the bytes
    // are in the file ("[KW00105]1"); Refused when they could not be, or the piece does not
    // follow the one before ("[KW00105]0", the file closed).
    Result Accept(const CPacket& piece, const CString& classText);
    // Closes an unfinished file (the connection ended).
    void Close();

    // The path of the file being written or last written.
    const CString& GetPath() const { return m_path; }

private:
    bool OpenFile(const CString& wireName, const CString& classText);
    bool Write(const BYTE* bytes, UINT length);
    Result Refuse();

    CString m_programFolder;
    CString m_path;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    CUploadPieceTracker m_tracker;
};
