#include "sessions/SumControlThread.h"

#include "sessions/SumCommunicationWnd.h"

IMPLEMENT_DYNCREATE(CSumControlThread, CControlThread)

CSumControlThread* CSumControlThread::Start(CPCInfo& slot, SOCKET socket, const RemoteSessionLinks& links,
                                            int refreshDelay, const std::shared_ptr<RemoteSessionStart>& start)
{
    return static_cast<CSumControlThread*>(StartThread(new CSumControlThread(), slot, socket, links, refreshDelay,
                                                       start));
}

CCommunicationWnd* CSumControlThread::MakeSessionWindow(CPCInfo& slot, const RemoteSessionLinks& links,
                                                        DWORD threadId, int refreshDelay)
{
    return new CSumCommunicationWnd(slot, links, threadId, refreshDelay);
}
