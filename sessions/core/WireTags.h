// Every tag of the command texts, spelled once: the builders write these and the matchers
// compare with them. A tag is the first nine characters of a text (CommandText.h). Tags marked
// internal travel only from a console window to a student's thread and never reach the wire.
#pragma once

// --- Console to student agent ---------------------------------------------------------------

constexpr char16_t kTagGreeting[] = u"[KW00001]";               // connection id, thumbnail size, delay, quality, digest
constexpr char16_t kTagScreenFormatAnswer[] = u"[KW00002]";     // answer to a type-10 packet without a region
constexpr char16_t kTagThumbnailSize[] = u"[KW00003]";          // width,height of the thumbnails to send
constexpr char16_t kTagRemoteSession[] = u"[KW00004]";          // mode,width,height: lend the socket to a session
constexpr char16_t kTagResumeDelay[] = u"[KW00005]";            // thumbnail period when a session ends
constexpr char16_t kTagRefreshDelay[] = u"[KW00006]";           // thumbnail period in ms
constexpr char16_t kTagFreeSeats[] = u"[KW00007]";              // the seats still free, on accept
constexpr char16_t kTagCaptureRegion[] = u"[KW00008]";          // the four values of the capture region
constexpr char16_t kTagDisplayName[] = u"[KW00009]";            // the name the seat shows
constexpr char16_t kTagStartFileSend[] = u"[KW00010]";          // internal: flag digit, "|", path to send
constexpr char16_t kTagFileSendResult[] = u"[KW00011]";         // internal: the send's result code
constexpr char16_t kTagStopFileSend[] = u"[KW00012]";           // stop the file being sent
constexpr char16_t kTagFileHeader[] = u"[KW00013]";             // overwrite flag before a file's bytes
constexpr char16_t kTagImageQuality[] = u"[KW00014]";           // thumbnail image quality
constexpr char16_t kTagSpecialKey[] = u"[KW00016]";             // play the special key combination
constexpr char16_t kTagStudentSound[] = u"[KW00029]";           // "on" / "off"
constexpr char16_t kTagDestinationFolder[] = u"[KW00030]";      // where received files go, or "default"
constexpr char16_t kTagForbidKeyboard[] = u"[KW00050]";         // "true" / "false"
constexpr char16_t kTagForbidMouse[] = u"[KW00051]";            // "true" / "false"
constexpr char16_t kTagForbidEnding[] = u"[KW00052]";           // "true" / "false"
constexpr char16_t kTagForbidTaskManager[] = u"[KW00060]";      // "true" / "false"
constexpr char16_t kTagForbidWebBrowsers[] = u"[KW00061]";      // "true" / "false"
constexpr char16_t kTagHideTrayIcon[] = u"[KW00070]";           // "true" / "false"
constexpr char16_t kTagCaptureAllWindows[] = u"[KW00071]";      // "true" / "false"
constexpr char16_t kTagChatLine[] = u"[KW00072]";               // the teacher's chat line, display time
constexpr char16_t kTagFileSendProgress[] = u"[KW00073]";       // internal: report the send's progress
constexpr char16_t kTagForbidOtherPrograms[] = u"[KW00074]";    // "true" / "false"
constexpr char16_t kTagProgramList[] = u"[KW00075]";            // the programs allowed or forbidden
constexpr char16_t kTagViewerRegion[] = u"[KW00076]";           // top,left,width,height of the viewer's client area
constexpr char16_t kTagViewerScroll[] = u"[KW00077]";           // x,y of the viewer's scroll position
constexpr char16_t kTagViewerFullScreenToggle[] = u"[KW00078]";  // "true": toggle full screen
constexpr char16_t kTagFrameAcknowledge[] = u"[KW00079]";       // the frame sequence received
constexpr char16_t kTagViewerFullScreen[] = u"[KW00080]";       // "true" / "false"
constexpr char16_t kTagLightRemotePc[] = u"[KW00082]";          // "true" / "false"
constexpr char16_t kTagRunProgram[] = u"[KW00084]";             // token,path,options
constexpr char16_t kTagEndProcess[] = u"[KW00085]";             // token,process name
constexpr char16_t kTagClipboardText[] = u"[KW00086]";          // format,text for the student's clipboard
constexpr char16_t kTagSessionBare[] = u"[KW00087]";            // a remote session without extras
constexpr char16_t kTagSlotNumber[] = u"[KW00093]";             // the seat's number
constexpr char16_t kTagConsoleVersion[] = u"[KW00094]";         // the console's version
constexpr char16_t kTagForbidUsbStorage[] = u"[KW00097]";       // "true" / "false"
constexpr char16_t kTagPowerControl[] = u"[KW00100]";           // 1 restart, 2 shut down
constexpr char16_t kTagScreenShare[] = u"[KW00102]";            // "start" / "stop"
constexpr char16_t kTagShareSettings[] = u"[KW00103]";          // canvas size, full/window, resize/center
constexpr char16_t kTagFilePieceAnswer[] = u"[KW00105]";        // 1 a piece written, 0 refused
constexpr char16_t kTagScreenControlRight[] = u"[KW00107]";     // "true": the presentation right
constexpr char16_t kTagPadKey[] = u"[KW00108]";                 // "home" / "back"
constexpr char16_t kTagRestartAnswer[] = u"[KW00116]";          // answer to a restart notice
constexpr char16_t kTagScrollPosition[] = u"[KW00200]";         // internal: the grid's scroll position
constexpr char16_t kTagRetryNextDay[] = u"[KW00249]";           // "0"
constexpr char16_t kTagPickedStudent[] = u"[KW00400]";          // the student picked
constexpr char16_t kTagSpeedQuizStart[] = u"[KW00401]";         // a speed-quiz round starts
constexpr char16_t kTagSpeedQuizStop[] = u"[KW00402]";          // the round stops
constexpr char16_t kTagFirstPress[] = u"[KW00403]";             // this student pressed first
constexpr char16_t kTagSpeedQuizReset[] = u"[KW00404]";         // a new round
constexpr char16_t kTagQuestionStart[] = u"[KW00405]";          // "ox" / "select4" / "select5"
constexpr char16_t kTagQuestionEnd[] = u"[KW00406]";            // "ox"
constexpr char16_t kTagQuizEnd[] = u"[KW00407]";                // the quiz ends
constexpr char16_t kTagRefusal[] = u"[KW10000]";                // reason,text: admission refused
constexpr char16_t kTagEndSession[] = u"[KW10001]";             // "KW_END": the console ends the connection
constexpr char16_t kTagKeepAliveAnswer[] = u"[KW10002]";        // answer to a keep-alive
constexpr char16_t kTagTakeOverLogin[] = u"[KW10003]";          // take over a duplicate login
constexpr char16_t kTagPadScreenSize[] = u"[AN00001]";          // width,height for a pad's share

// --- Student agent to console ---------------------------------------------------------------

constexpr char16_t kTagHello[] = u"[PC00002]";                  // seat, name, region, flag: asks for a seat
constexpr char16_t kTagKeepAlive[] = u"[PC00003]";              // the agent is alive
constexpr char16_t kTagScreenSize[] = u"[PC00004]";             // the student's screen size
constexpr char16_t kTagFilePieceDone[] = u"[PC00010]";          // a piece of the sent file arrived
constexpr char16_t kTagSoundAnswer[] = u"[PC00013]";            // answer to a sound request
constexpr char16_t kTagAddressReport[] = u"[PC00014]";          // a student's address entry
constexpr char16_t kTagStudentChatLine[] = u"[PC00015]";        // the student's chat line
constexpr char16_t kTagStudentClipboard[] = u"[PC00016]";       // format,text of the student's clipboard
constexpr char16_t kTagAgentVersion[] = u"[PC00017]";           // the agent's version
constexpr char16_t kTagStudentName[] = u"[PC00019]";            // the student's display name
constexpr char16_t kTagShareFrameAck[] = u"[PC00025]";          // the shared frames received
constexpr char16_t kTagClientAnnouncement[] = u"[PC00029]";     // a client other than an agent
constexpr char16_t kTagClientAnnouncementEx[] = u"[PC00129]";   // the same, newer clients
constexpr char16_t kTagOrderlyEnd[] = u"[PC00031]";             // the agent ends on purpose
constexpr char16_t kTagRestarting[] = u"[PC00034]";             // the student PC restarts
constexpr char16_t kTagPadState[] = u"[PC00039]";               // a pad's screen, lock and DRM state
constexpr char16_t kTagPadPermissions[] = u"[PC00172]";         // a pad's permissions (JSON)
constexpr char16_t kTagQuizBuzzer[] = u"[PC00400]";             // a speed-quiz press
constexpr char16_t kTagQuizAnswer[] = u"[PC00401]";             // an answer to the question
constexpr char16_t kTagPadAppEvent[] = u"[PC00500]";            // app,label of a pad's foreground app
constexpr char16_t kTagOrientation[] = u"[PC00600]";            // a pad's orientation
constexpr char16_t kTagScanCodes[] = u"[PC00603]";              // scan codes to play on the teacher PC
constexpr char16_t kTagHangulKey[] = u"[PC00604]";              // the Hangul/English key
constexpr char16_t kTagPadShareKeepAlive[] = u"[AN00003]";      // a pad's share is alive
constexpr char16_t kTagPadShareStart[] = u"[AN00004]";          // a pad starts sharing
constexpr char16_t kTagPadShareStop[] = u"[AN00005]";           // a pad stops sharing
constexpr char16_t kTagPadShareParam[] = u"[AN00006]";          // a pad's share parameter
constexpr char16_t kTagPadShareRestart[] = u"[AN00010]";        // a pad restarts its share, with a size

// --- Remote-controller app to console -------------------------------------------------------

constexpr char16_t kTagRemoteAppLink[] = u"[RC00001]";          // app version: link this connection
constexpr char16_t kTagRemoteAppKeepAlive[] = u"[RC00003]";     // keep-alive
constexpr char16_t kTagRemoteAppStreamStart[] = u"[RC00004]";   // stream the teacher's screen
constexpr char16_t kTagRemoteAppStreamStop[] = u"[RC00005]";    // stop the stream
constexpr char16_t kTagRemoteAppFrameAck[] = u"[RC00006]";      // the frame number received
constexpr char16_t kTagRemoteAppKeyboard[] = u"[RC00007]";      // the on-screen keyboard
constexpr char16_t kTagRemoteAppViewerSize[] = u"[RC00008]";    // width,height,screen mode,fit mode
constexpr char16_t kTagRemoteAppViewer[] = u"[RC00009]";        // "start" or other: the viewer window
constexpr char16_t kTagRemoteAppCanvas[] = u"[RC00010]";        // width,height of the stream
constexpr char16_t kTagRemoteAppSound[] = u"[RC00011]";         // "start" or other: its sound
constexpr char16_t kTagRemoteAppIdle[] = u"[RC00012]";          // no effect
constexpr char16_t kTagRemoteAppTouch[] = u"[RC00013]";         // "on"/"off": the students' input
constexpr char16_t kTagRemoteAppCharacter[] = u"[RC00014]";     // one typed character code
constexpr char16_t kTagRemoteAppHangulKey[] = u"[RC00015]";     // the Hangul/English key
constexpr char16_t kTagRemoteScanCodes[] = u"[RC00020]";        // scan codes to play on the teacher PC
constexpr char16_t kTagRemoteAppValue[] = u"[RC00021]";         // no effect
constexpr char16_t kTagRemoteAppClientTexts[] = u"[RC00022]";   // kind,texts of a connecting agent
constexpr char16_t kTagRemoteAppPrefix[] = u"[RC";

// --- Console to remote-controller app -------------------------------------------------------

constexpr char16_t kTagRemoteAppScreenSize[] = u"[RH00001]";    // teacher virtual-screen width,height
constexpr char16_t kTagRemoteAppTileAck[] = u"[RH00002]";       // a tile packet's frame number
constexpr char16_t kTagRemoteAppTouchState[] = u"[RH00003]";    // the touch lock, 0/1
constexpr char16_t kTagRemoteAppShareState[] = u"[RH00004]";    // the class share, 0/1
constexpr char16_t kTagRemoteAppKeepAliveAnswer[] = u"[RH10002]";

// --- Login server ---------------------------------------------------------------------------

constexpr char16_t kTagLoginRequest[] = u"[UT00001]";           // to the server: log the console in
constexpr char16_t kTagLoginKeepAlive[] = u"[UT00002]";         // to the server: slots, every 60 s
constexpr char16_t kTagServerAlive[] = u"[UR00000]";            // from the server: alive
constexpr char16_t kTagLoginResult[] = u"[UR00001]";            // result,message[,t1..t4]
constexpr char16_t kTagSeatsGranted[] = u"[UR00002]";           // the seats the licence grants
constexpr char16_t kTagDuplicateLogin[] = u"[UR00020]";         // another console logged in with this id
constexpr char16_t kTagLoggedOutElsewhere[] = u"[UR00021]";     // this console was logged out
