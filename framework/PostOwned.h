// Posting a heap object with a message: once the post succeeds the object belongs to the receiver,
// which takes it back with AfxTakePosted; when the post fails the sender still owns it, and the
// unique_ptr frees it.
#pragma once

#include "framework/Afx.h"

#include <memory>

// Posts to a thread whose CWinThread loop is running and has not begun to end; a message it
// accepts is either handled or given to the thread's OnDiscardMessage.
BOOL AfxPostToRunningThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);

template <class T>
BOOL PostOwnedThreadMessage(DWORD threadId, UINT message, std::unique_ptr<T> object,
                            LPARAM lParam = 0)
{
    if (!AfxPostToRunningThread(threadId, message, reinterpret_cast<WPARAM>(object.get()), lParam))
        return FALSE;
    object.release();
    return TRUE;
}

template <class T>
BOOL PostOwnedMessage(HWND hWnd, UINT message, std::unique_ptr<T> object, LPARAM lParam = 0)
{
    if (!hWnd || !::PostMessageW(hWnd, message, reinterpret_cast<WPARAM>(object.get()), lParam))
        return FALSE;
    object.release();
    return TRUE;
}

// The same for receivers that take the object from lParam, wParam carrying a marker or a number.
template <class T>
BOOL PostOwnedInLParam(HWND hWnd, UINT message, WPARAM wParam, std::unique_ptr<T> object)
{
    if (!hWnd || !::PostMessageW(hWnd, message, wParam, reinterpret_cast<LPARAM>(object.get())))
        return FALSE;
    object.release();
    return TRUE;
}

// The receiver's side: the posted object, owned again, from the wParam or lParam that carried it
// (T may be an array type such as wchar_t[]).
template <class T>
std::unique_ptr<T> AfxTakePosted(UINT_PTR param)
{
    using Element = typename std::unique_ptr<T>::element_type;
    return std::unique_ptr<T>(reinterpret_cast<Element*>(param));
}
