// CSumControlThread: the control thread of one student of a combined window. It is the single
// session's control thread (the same thread messages, the same hand-back of the connection at its
// end) with a session window of the combined kind (CSumCommunicationWnd).
#pragma once

#include "sessions/ControlThread.h"

class CSumControlThread : public CControlThread {
    DECLARE_DYNCREATE(CSumControlThread)
public:
    // Null when the thread could not be started; the socket then stays the caller's.
    static CSumControlThread* Start(CPCInfo& slot, SOCKET socket, const RemoteSessionLinks& links, int refreshDelay,
                                    const std::shared_ptr<RemoteSessionStart>& start);

protected:
    CCommunicationWnd* MakeSessionWindow(CPCInfo& slot, const RemoteSessionLinks& links, DWORD threadId,
                                         int refreshDelay) override;
};
