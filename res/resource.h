// Resource ids of Lumora Teacher: strings, bitmaps, GIFs, icons, cursors, menus, dialogs,
// controls and commands. The numbers are fixed: language modules built by others use them.
// Controls are named per dialog; different dialogs reuse the same numbers. Bitmap sizes live
// in tools/skin/table.py, not here.
#pragma once

// ---------------------------------------------------------------------------------------
// Program: document string, icon, window title
#define IDR_MAINFRAME                       128   // document string and program icon
#define IDS_APP_TITLE                       57344 // window title, name of the firewall entry and of the profile key

// ---------------------------------------------------------------------------------------
// Strings: start-up and shut-down
#define IDS_OLE_INIT_FAILED                 100
#define IDS_SOCKETS_INIT_FAILED             103
#define IDS_OS_TOO_OLD                      700
#define IDS_ALREADY_RUNNING                 744
#define IDS_ALREADY_RUNNING_HINT            745
#define IDS_CONFIRM_EXIT                    752
#define IDS_CONFIRM_EXIT_CAPTION            753
#define IDS_LOGIN_SERVER_CONNECT_FAILED     5000
#define IDS_PROGRAM_ENDS                    5001
#define IDS_LOGIN_SERVER_ON_THIS_PC         5002

// Strings: fonts and sizes the windows take from the language module
#define IDS_FONT_FACE                       2603  // "굴림"
#define IDS_FONT_CHAT_HEADER_SIZE           2604
#define IDS_FONT_CHAT_TEXT_SIZE             2605
#define IDS_FONT_FACE_LATIN                 2606  // "Arial"

// Strings: main frame and group tabs
#define IDS_TEACHER                         2602
#define IDS_DEFAULT_GROUP                   581
#define IDS_TIP_CREATE_GROUP                583
#define IDS_TIP_DELETE_GROUP                584
#define IDS_TIP_RUN_ON_GROUP                597
#define IDS_GROUP_DELETE_CAPTION            599
#define IDS_GROUP_DELETE_ASK                600
#define IDS_GROUP_DEFAULT_NOT_DELETABLE     601
#define IDS_GROUP_DEFAULT_NOT_RUNNABLE      604
#define IDS_GROUP_CLOSE_REMOTE_FIRST        606
#define IDS_TIP_CLOSE                       613
#define IDS_LABEL_GROUP_MANAGEMENT          614
#define IDS_TIP_MINIMIZE                    616
#define IDS_LABEL_TEACHER_ID                617

// Strings: buttons, drop target, message box
#define IDS_DROP_ONE_FILE_ONLY              1500
#define IDS_DROP_FILE_NOT_SENDABLE          1501
#define IDS_DROP_FOLDER_NOT_SENDABLE        1502

// Strings: classroom view, admission, timers
#define IDS_PERMISSION_NEEDED               792
#define IDS_DEFAULT_STUDENT_NAME            707
#define IDS_SEAT_BEYOND_LAST                714
#define IDS_SEAT_TAKEN                      715
#define IDS_BAD_DATA_RECEIVED               716
#define IDS_SLOT_UPDATING                   735
#define IDS_SLOT_RESTARTING                 736
#define IDS_SLOT_STARTING                   737
#define IDS_SLOT_ENDING                     738
#define IDS_COLLECT_VIEW_MAX_FOUR           756
#define IDS_COLLECT_VIEW_NO_ANSWER          5040
#define IDS_CLOSE_QUIZ_FIRST                1617

// Strings: login-server session
#define IDS_CONNECTING_LOGIN_SERVER         1522
#define IDS_SOCKET_ADDRESS_IN_USE           650   // 10048
#define IDS_SOCKET_ADDRESS_NOT_AVAILABLE    651   // 10049
#define IDS_SOCKET_FAMILY_NOT_SUPPORTED     652   // 10047
#define IDS_SOCKET_DESTINATION_REQUIRED     653   // 10039
#define IDS_SOCKET_BAD_ADDRESS              654   // 10014
#define IDS_SOCKET_INVALID_ARGUMENT         655   // 10022
#define IDS_SOCKET_ALREADY_CONNECTED        656   // 10056
#define IDS_SOCKET_TOO_MANY_SOCKETS         657   // 10024
#define IDS_SOCKET_NETWORK_UNREACHABLE      658   // 10051
#define IDS_SOCKET_NO_BUFFER_SPACE          659   // 10055
#define IDS_SOCKET_NOT_CONNECTED            660   // 10057
#define IDS_SOCKET_NOT_A_SOCKET             661   // 10038
#define IDS_SOCKET_TIMED_OUT                662   // 10060
#define IDS_SOCKET_ADDRESS_IN_USE_HINT      664
#define IDS_LOGIN_SERVER_LOST               718
#define IDS_LOGGED_IN_ELSEWHERE             5003
#define IDS_DUPLICATE_LOGIN_ASK             5004
#define IDS_DUPLICATE_LOGIN_CAPTION         5005
#define IDS_ENDING_OLD_CONNECTION           5006
#define IDS_SERVER_LOOKUP_ERROR             5008
#define IDS_SERVER_NO_SUCH_TEACHER          5009
#define IDS_SERVER_KIND_MISMATCH            5010
#define IDS_SERVER_NOT_RUNNING              5011

// Strings: commands on slots (context menu, toolbar)
#define IDS_NEED_FOCUSED_STUDENT            725
#define IDS_RESTART_CAPTION                 729
#define IDS_RESTART_SELECTED_ASK            730
#define IDS_RESTART_ONE_ASK                 731
#define IDS_SHUTDOWN_CAPTION                732
#define IDS_SHUTDOWN_SELECTED_ASK           733
#define IDS_SHUTDOWN_ONE_ASK                734
#define IDS_SLOT_SWAPPING                   740
#define IDS_SLOT_MOVING                     741
#define IDS_CONFIRM_CAPTION                 743
#define IDS_RENUMBER_IN_PROGRESS            774
#define IDS_PRESENTATION_TAKEN              775
#define IDS_PRESENTATION_SELECT_FIRST       776
#define IDS_SELECT_STUDENT_FIRST            777
#define IDS_RETRY_NEXT_DAY_ASK              1040

// Strings: remote-controller app, screen sharing
#define IDS_OTHER_PAD_CONNECTED             778
#define IDS_SCREEN_SHARE_TITLE              1445

// Strings: teacher toolbar
#define IDS_TB_MONITORING                   1172
#define IDS_TB_SHARE_START                  1174
#define IDS_TB_SHARE_STOP                   1175
#define IDS_TB_FILE_TRANSFER                1176
#define IDS_TB_TOUCH_ALLOWED                1177
#define IDS_TB_TOUCH_LOCKED                 1178
#define IDS_TB_PEN_TOOL                     1179
#define IDS_TB_INBOX                        1180
#define IDS_TB_CAPTURE_SIZE_NEEDED          1181
#define IDS_TB_SHARING_OSD                  1182
#define IDS_TB_COLLECT_VIEW                 1183
#define IDS_TB_QUIZ                         1185
#define IDS_TB_LEAVE_COLLECT_VIEW           1186
#define IDS_TB_PRESENTATION                 1187
#define IDS_TB_GRID_LAYOUT                  587
#define IDS_TB_MONITOR_SETTINGS             588
#define IDS_TB_STUDENT_NAMES                590
#define IDS_TB_SETTINGS                     596
#define IDS_TB_LOG                          618
#define IDS_TB_REMOTE_CONTROL               2800
#define IDS_TB_TOUCH_CONTROL                2801
#define IDS_SHARING_REFUSED                 1300
#define IDS_CLOSE_STUDENT_VIEW_FIRST        1301
#define IDS_TOUCH_CONTROL_REFUSED           1302
#define IDS_PRESENTATION_REFUSED            1303
#define IDS_PAD_SHARE_NEEDS_RIGHT           1304

// Strings: student sessions, chat, pad log
#define IDS_STUDENT_NUMBER_LABEL            2599
#define IDS_QUIZ_FASTEST                    1611
#define IDS_CHAT_CAPTION                    570
#define IDS_CHAT_SEND                       571
#define IDS_CHAT_CLOSE                      572
#define IDS_CHAT_TOO_LONG                   579
#define IDS_CHAT_NO_EMOJI                   630
#define IDS_CHAT_ONE_TO_ONE                 553
#define IDS_LOG_APP_ENDED                   6000
#define IDS_LOG_APP_ENDED_DETAIL            6001
#define IDS_LOG_SLOT_ENDED                  6002
#define IDS_LOG_SLOT_ENDED_DETAIL           6003

// Strings: remote windows and their control bars
#define IDS_BAR_SOUND_START                 551
#define IDS_BAR_SOUND_STOP                  552
#define IDS_BAR_SOUND_FAILED                560
#define IDS_BAR_PAD_HOME                    562
#define IDS_BAR_PAD_BACK                    563

// Strings: settings and restrictions dialog
#define IDS_ABOUT_PROGRAM_NAME_EMPTY        204
#define IDS_ABOUT_PROGRAM_NAME_DUPLICATE    205
#define IDS_ABOUT_SELECT_PROGRAM_TO_DELETE  206
#define IDS_ABOUT_APPLIED                   209
#define IDS_ABOUT_PROGRAM_NAME_TOO_LONG     210
#define IDS_ABOUT_PROGRAM_LIST_TOO_LONG     211
#define IDS_ABOUT_PROGRAM_NAME_BAD_CHARS    212

// Strings: group dialogs
#define IDS_COL_CHECK_NUMBER                110
#define IDS_COL_STUDENT_NAME                171
#define IDS_GROUP_NAME_EMPTY                390
#define IDS_GROUP_NAME_EXISTS               391
#define IDS_GROUP_NAME_TRY_ANOTHER          392
#define IDS_GROUP_NO_STUDENTS               393
#define IDS_GROUP_NAME_TOO_LONG             394
#define IDS_GROUP_NAME_BAD_CHARS            395
#define IDS_GEXEC_PATH_EMPTY                430
#define IDS_GEXEC_RUN_SENT                  431
#define IDS_GEXEC_PROCESS_EMPTY             432
#define IDS_GEXEC_END_SENT                  433
#define IDS_GEXEC_RESTART_CAPTION           434
#define IDS_GEXEC_RESTART_NOTE              435
#define IDS_GEXEC_RESTART_ASK               436
#define IDS_GEXEC_SHUTDOWN_CAPTION          437
#define IDS_GEXEC_SHUTDOWN_NOTE             438
#define IDS_GEXEC_SHUTDOWN_ASK              439
#define IDS_GEXEC_DELETE_RECENT_CAPTION     440
#define IDS_GEXEC_DELETE_RECENT_ASK         441
#define IDS_GEXEC_DELETE_RECENT_NOTE        442
#define IDS_GEXEC_PATH_TOO_LONG             443
#define IDS_GEXEC_OPTIONS_TOO_LONG          444
#define IDS_GEXEC_PROCESS_TOO_LONG          445
#define IDS_GEXEC_NO_COMMA                  446  // the run and end fields travel comma-separated

// Strings: grid layout, login, names, slot move and swap
#define IDS_LAYOUT_RATIO_OUT_OF_RANGE       240
#define IDS_LOGIN_CAPTION                   333
#define IDS_LOGIN_ID_EMPTY                  335
#define IDS_LOGIN_ID_TOO_LONG               338
#define IDS_LOGIN_ID_BAD_CHARS              339
#define IDS_LOGIN_FOLDER_BAD_CHARS          344
#define IDS_COL_STUDENT_NUMBER              170
#define IDS_STUDENT_NUMBER_FORMAT           172
#define IDS_NAME_EMPTY                      483
#define IDS_NAME_BAD_CHARS                  484
#define IDS_NAME_TOO_LONG                   485
#define IDS_NAME_FINISH_EDIT_FIRST          486
#define IDS_SLOTCHG_NONE                    1000
#define IDS_SLOTCHG_MOVE_CAPTION            1001
#define IDS_SLOTCHG_MOVE_ASK                1002
#define IDS_SLOTCHG_PROCEED_ASK             1004
#define IDS_SLOTCHG_SWAP_CAPTION            1005
#define IDS_SLOTCHG_SWAP_ASK                1006
#define IDS_SLOTCHG_CHOOSE_MODE             1008
#define IDS_SLOTCHG_MOVE_TARGET             1009
#define IDS_SLOTCHG_SWAP_TARGET             1010
#define IDS_SLOTCHG_CHECK_TARGET            1011
#define IDS_SLOTCHG_SAME_NUMBER             1012
#define IDS_SLOTCHG_CHOOSE_OTHER            1013
#define IDS_SLOTCHG_CURRENT_LOST            1014
#define IDS_SLOTCHG_CANCELLED               1015
#define IDS_SLOTCHG_CURRENT_CONTROLLED      1016
#define IDS_SLOTCHG_STOP_CONTROL_FIRST      1017
#define IDS_SLOTCHG_CURRENT_OLD_VERSION     1018
#define IDS_SLOTCHG_UPDATE_FIRST            1019
#define IDS_SLOTCHG_TARGET_OLD_VERSION      1020
#define IDS_SLOTCHG_TARGET_CHANGED          1021

// Strings: quiz
#define IDS_QUIZ_RANDOM_PICK                1600
#define IDS_QUIZ_NO_STUDENTS                1601
#define IDS_QUIZ_PICKED                     1602
#define IDS_QUIZ_SPEED                      1603
#define IDS_QUIZ_OX                         1604
#define IDS_QUIZ_CHOICE                     1605
#define IDS_QUIZ_CONTROL_RIGHT              1607
#define IDS_QUIZ_OTHER_ACTIVE               1608
#define IDS_QUIZ_RESET                      1609
#define IDS_QUIZ_STOP                       1610
#define IDS_QUIZ_START                      1612
#define IDS_QUIZ_CHOICE_COUNT               1613
#define IDS_QUIZ_NO_ANSWER                  1615
#define IDS_QUIZ_CLOSE_REFUSED              1616

// Strings: pen tool
#define IDS_PEN_TOUCH_MODE                  1220
#define IDS_PEN_PEN_MODE                    1221
#define IDS_PEN_WHITEBOARD_MODE             1222
#define IDS_PEN_DRAW                        1223
#define IDS_PEN_ERASE                       1224
#define IDS_PEN_HALFTONE                    1232
#define IDS_PEN_SAVE                        1233
#define IDS_PEN_SAVE_ASK                    1234
#define IDS_PEN_SAVED                       1235
#define IDS_PEN_SAVE_FAILED                 1236  // the picture could not be written
#define IDS_FILE_SEND_FAILED                1237
#define IDS_FILE_SEND_FAILED_CAPTION        1238
#define IDS_FILE_SENT_TO_TEACHER            1239
#define IDS_FILE_SENT_CAPTION               1240
#define IDS_PEN_CLEAR_ALL                   1241
#define IDS_PEN_PREVIOUS_PAGE               1242
#define IDS_PEN_NEXT_PAGE                   1243

// Strings: file transfer
#define IDS_FT_COL_SELECTED_FILE            107
#define IDS_FT_COL_TRANSFER_STATE           108
#define IDS_FT_COL_FULL_PATH                109
#define IDS_FT_WAITING                      112
#define IDS_FT_NO_FILE_CHOSEN               113
#define IDS_FT_NO_STUDENT_TICKED            114
#define IDS_FT_SENDING                      115
#define IDS_FT_RESULT_DONE                  116
#define IDS_FT_RESULT_READ_ERROR            117
#define IDS_FT_RESULT_OPEN_ERROR            118
#define IDS_FT_RESULT_SOCKET_ERROR          119
#define IDS_FT_COL_FILE                     122
#define IDS_FT_COL_STUDENT_NUMBER           123
#define IDS_FT_COL_PROGRESS                 124
#define IDS_FT_COL_RESULT                   125
#define IDS_FT_COL_PATH                     126
#define IDS_FT_DELETE_PATH_ASK              127
#define IDS_FT_DELETE_PATH_NOTE             129
#define IDS_FT_DELETE_PATH_CAPTION          130
#define IDS_FT_BAD_FOLDER_CHARS             132
#define IDS_FT_FILES_ONLY                   133
#define IDS_FT_CHOOSE_FILE_TO_REMOVE        134
#define IDS_FT_DESKTOP                      350
#define IDS_FT_STOP_BEFORE_CLOSE            367
#define IDS_FT_STUDENT_PROGRAM_FOLDER       373
#define IDS_FT_PROGRAM_FOLDER_NOT_DELETABLE 374

// Strings: the framework's data-exchange checks
#define IDS_DDX_PARSE_INT                   61696
#define IDS_DDX_PARSE_INT_RANGE             61697

// ---------------------------------------------------------------------------------------
// Bitmaps (sizes: tools/skin/table.py)
#define IDB_FRAME_CAPTION_BAND              454
#define IDB_FRAME_LOGO                      457
#define IDB_FRAME_CLOSE                     458
#define IDB_FRAME_CREATE_GROUP              459
#define IDB_FRAME_DELETE_GROUP              460
#define IDB_FRAME_RUN_ON_GROUP              461
#define IDB_TAB_SCROLL_LEFT                 462
#define IDB_TAB_SCROLL_RIGHT                463
#define IDB_FRAME_LABEL_PLATE               464
#define IDB_FRAME_RESIZE_GRIP               469
#define IDB_FRAME_MINIMIZE                  725

#define IDB_SLOT_EMPTY                      310
#define IDB_SLOT_SESSION_CHANGING           432
#define IDB_SLOT_PRESENTATION_RIGHT         452
#define IDB_SLOT_REMOTE_VIEW                716
#define IDB_SLOT_VIDEO_LECTURE              825
#define IDB_SLOT_SCREEN_OFF                 826
#define IDB_SLOT_MESSENGER                  827
#define IDB_SLOT_CAPTURE_PERMISSION_NEEDED  828
#define IDB_SLOT_PERMISSION_NEEDED          829
#define IDB_VIEW_SCROLL_PATTERN             465
#define IDB_VIEW_SCROLL_UP                  466
#define IDB_VIEW_SCROLL_DOWN                467
#define IDB_VIEW_SCROLL_THUMB               468

#define IDB_MENU_REMOTE_CONTROL             359
#define IDB_MENU_SHUTDOWN                   360
#define IDB_MENU_RESTART                    361
#define IDB_MENU_CHANGE_NUMBER              407

#define IDB_CAPTION_CLOSE                   527
#define IDB_OK                              534
#define IDB_OK_HOVER                        535
#define IDB_CANCEL                          536
#define IDB_CANCEL_HOVER                    537
#define IDB_SETTINGS_OK                     523
#define IDB_SETTINGS_OK_HOVER               524
#define IDB_SETTINGS_CANCEL                 525
#define IDB_SETTINGS_CANCEL_HOVER           526
#define IDB_MSGBOX_TEXT_PANEL               688
#define IDB_MSGBOX_ICON                     689
#define IDB_MSGBOX_NO                       690
#define IDB_MSGBOX_YES                      691
#define IDB_SKIN_SCROLLBAR                  544
#define IDB_LIST_FRAME                      686

#define IDB_BAR_BACK_LAYER                  696
#define IDB_BAR_CHAT                        700
#define IDB_BAR_CHAT_PRESSED                701
#define IDB_BAR_CHAT_HOVER                  702
#define IDB_BAR_CLOSE                       703
#define IDB_BAR_CLOSE_HOVER                 704
#define IDB_BAR_SOUND                       712
#define IDB_BAR_SOUND_DISABLED              713
#define IDB_BAR_SOUND_PRESSED               714
#define IDB_BAR_SOUND_HOVER                 715
#define IDB_BAR_BACK                        726
#define IDB_BAR_BACK_HOVER                  727
#define IDB_BAR_HOME                        728
#define IDB_BAR_HOME_HOVER                  729
#define IDB_BAR_SHARE                       730
#define IDB_BAR_SHARE_DISABLED              731
#define IDB_BAR_SHARE_HOVER                 732
#define IDB_BAR_PEN                         733
#define IDB_BAR_PEN_HOVER                   734
#define IDB_BAR_TOUCH                       735
#define IDB_BAR_TOUCH_DISABLED              736
#define IDB_BAR_TOUCH_PRESSED               737
#define IDB_BAR_TOUCH_HOVER                 738

#define IDB_TOOLBAR_CLASS_PANEL             470
#define IDB_TOOLBAR_STUDENT_PANEL           489
#define IDB_TOOLBAR_SETTINGS_PANEL          499
#define IDB_TOOLBAR_CLASS_PANEL_V           500
#define IDB_TOOLBAR_STUDENT_PANEL_V         501
#define IDB_TOOLBAR_SETTINGS_PANEL_V        502
// The quiz panel's buttons, four bitmaps each (normal, hover, disabled, pressed).
#define IDB_QUIZ_WIDE_BUTTON                7200
#define IDB_QUIZ_WIDE_BUTTON_HOVER          7201
#define IDB_QUIZ_WIDE_BUTTON_DISABLED       7202
#define IDB_QUIZ_WIDE_BUTTON_PRESSED        7203
#define IDB_QUIZ_SMALL_BUTTON               7204
#define IDB_QUIZ_SMALL_BUTTON_HOVER         7205
#define IDB_QUIZ_SMALL_BUTTON_DISABLED      7206
#define IDB_QUIZ_SMALL_BUTTON_PRESSED       7207
// Teacher toolbar buttons: each the first of four bitmaps (normal, hover, disabled, pressed).
#define IDB_TB_SHARE                        7100
#define IDB_TB_SHARE_HOVER                  7101
#define IDB_TB_SHARE_DISABLED               7102
#define IDB_TB_SHARE_PRESSED                7103
#define IDB_TB_COLLECT_VIEW                 7104
#define IDB_TB_COLLECT_VIEW_HOVER           7105
#define IDB_TB_COLLECT_VIEW_DISABLED        7106
#define IDB_TB_COLLECT_VIEW_PRESSED         7107
#define IDB_TB_MONITORING                   7108
#define IDB_TB_MONITORING_HOVER             7109
#define IDB_TB_MONITORING_DISABLED          7110
#define IDB_TB_MONITORING_PRESSED           7111
#define IDB_TB_PRESENTATION                 7112
#define IDB_TB_PRESENTATION_HOVER           7113
#define IDB_TB_PRESENTATION_DISABLED        7114
#define IDB_TB_PRESENTATION_PRESSED         7115
#define IDB_TB_FILE_TRANSFER                7116
#define IDB_TB_FILE_TRANSFER_HOVER          7117
#define IDB_TB_FILE_TRANSFER_DISABLED       7118
#define IDB_TB_FILE_TRANSFER_PRESSED        7119
#define IDB_TB_INBOX                        7120
#define IDB_TB_INBOX_HOVER                  7121
#define IDB_TB_INBOX_DISABLED               7122
#define IDB_TB_INBOX_PRESSED                7123
#define IDB_TB_PEN_TOOL                     7124
#define IDB_TB_PEN_TOOL_HOVER               7125
#define IDB_TB_PEN_TOOL_DISABLED            7126
#define IDB_TB_PEN_TOOL_PRESSED             7127
#define IDB_TB_TOUCH                        7128
#define IDB_TB_TOUCH_HOVER                  7129
#define IDB_TB_TOUCH_DISABLED               7130
#define IDB_TB_TOUCH_PRESSED                7131
#define IDB_TB_GRID_LAYOUT                  7132
#define IDB_TB_GRID_LAYOUT_HOVER            7133
#define IDB_TB_GRID_LAYOUT_DISABLED         7134
#define IDB_TB_GRID_LAYOUT_PRESSED          7135
#define IDB_TB_MONITOR_SETTINGS             7136
#define IDB_TB_MONITOR_SETTINGS_HOVER       7137
#define IDB_TB_MONITOR_SETTINGS_DISABLED    7138
#define IDB_TB_MONITOR_SETTINGS_PRESSED     7139
#define IDB_TB_STUDENT_NAMES                7140
#define IDB_TB_STUDENT_NAMES_HOVER          7141
#define IDB_TB_STUDENT_NAMES_DISABLED       7142
#define IDB_TB_STUDENT_NAMES_PRESSED        7143
#define IDB_TB_SETTINGS                     7144
#define IDB_TB_SETTINGS_HOVER               7145
#define IDB_TB_SETTINGS_DISABLED            7146
#define IDB_TB_SETTINGS_PRESSED             7147
#define IDB_TB_REMOTE_CONTROL               7148
#define IDB_TB_REMOTE_CONTROL_HOVER         7149
#define IDB_TB_REMOTE_CONTROL_DISABLED      7150
#define IDB_TB_REMOTE_CONTROL_PRESSED       7151
#define IDB_TB_CHAT                         7152
#define IDB_TB_CHAT_HOVER                   7153
#define IDB_TB_CHAT_DISABLED                7154
#define IDB_TB_CHAT_PRESSED                 7155
#define IDB_TB_TOUCH_CONTROL                7156
#define IDB_TB_TOUCH_CONTROL_HOVER          7157
#define IDB_TB_TOUCH_CONTROL_DISABLED       7158
#define IDB_TB_TOUCH_CONTROL_PRESSED        7159
#define IDB_TB_LOG                          7160
#define IDB_TB_LOG_HOVER                    7161
#define IDB_TB_LOG_DISABLED                 7162
#define IDB_TB_LOG_PRESSED                  7163
#define IDB_TB_PANEL_CLASS                  7164
#define IDB_TB_PANEL_CLASS_HOVER            7165
#define IDB_TB_PANEL_CLASS_DISABLED         7166
#define IDB_TB_PANEL_CLASS_PRESSED          7167
#define IDB_TB_PANEL_STUDENT                7168
#define IDB_TB_PANEL_STUDENT_HOVER          7169
#define IDB_TB_PANEL_STUDENT_DISABLED       7170
#define IDB_TB_PANEL_STUDENT_PRESSED        7171
#define IDB_TB_PANEL_SETTINGS               7172
#define IDB_TB_PANEL_SETTINGS_HOVER         7173
#define IDB_TB_PANEL_SETTINGS_DISABLED      7174
#define IDB_TB_PANEL_SETTINGS_PRESSED       7175
#define IDB_TB_ROTATE                       7176
#define IDB_TB_ROTATE_HOVER                 7177
#define IDB_TB_ROTATE_DISABLED              7178
#define IDB_TB_ROTATE_PRESSED               7179
#define IDB_TB_QUIZ                         7180
#define IDB_TB_QUIZ_HOVER                   7181
#define IDB_TB_QUIZ_DISABLED                7182
#define IDB_TB_QUIZ_PRESSED                 7183

#define IDB_ABOUT_ADD                       548
#define IDB_ABOUT_ADD_HOVER                 549
#define IDB_ABOUT_DELETE                    550
#define IDB_ABOUT_DELETE_HOVER              551
#define IDB_ABOUT_APPLY                     554
#define IDB_ABOUT_APPLY_HOVER               555
#define IDB_ABOUT_TOGGLE_ON                 556
#define IDB_ABOUT_TOGGLE_OFF                557

#define IDB_GROUP_CHECK_IMAGES              566
#define IDB_GROUP_SELECT_ALL                567
#define IDB_GROUP_SELECT_ALL_HOVER          568
#define IDB_GEXEC_DELETE_RECENT             572
#define IDB_GEXEC_DELETE_RECENT_HOVER       573
#define IDB_GEXEC_END                       574
#define IDB_GEXEC_END_HOVER                 575
#define IDB_GEXEC_RUN                       576
#define IDB_GEXEC_RUN_HOVER                 577
#define IDB_GEXEC_RESTART                   578
#define IDB_GEXEC_RESTART_HOVER             579
#define IDB_GEXEC_SHUTDOWN                  580
#define IDB_GEXEC_SHUTDOWN_HOVER            581
#define IDB_GEXEC_CLOSE                     582
#define IDB_GEXEC_CLOSE_HOVER               583

#define IDB_LOGIN_CONNECT                   743
#define IDB_LOGIN_CONNECT_HOVER             744
#define IDB_LOGIN_EDIT_FRAME                745
#define IDB_LOGIN_HEADER                    746
#define IDB_LOGIN_SEPARATOR                 747
#define IDB_LOGIN_CANCEL                    795
#define IDB_LOGIN_CANCEL_HOVER              796

#define IDB_SLOTCHG_OK                      339
#define IDB_SLOTCHG_CANCEL                  340
#define IDB_NAMES_SHOW_ON                   558
#define IDB_NAMES_SHOW_OFF                  559
#define IDB_NAMES_LIST_BACKGROUND           606
#define IDB_NAMES_DECORATION                543
#define IDB_SLOTNAME_DECORATION             565

#define IDB_PEN_CLOSE                       625
#define IDB_PEN_TOUCH_MODE                  616
#define IDB_PEN_TOUCH_MODE_CHECKED          617
#define IDB_PEN_TOUCH_MODE_HOVER            618
#define IDB_PEN_PEN_MODE                    619
#define IDB_PEN_PEN_MODE_CHECKED            620
#define IDB_PEN_PEN_MODE_HOVER              621
#define IDB_PEN_WHITEBOARD                  622
#define IDB_PEN_WHITEBOARD_CHECKED          623
#define IDB_PEN_WHITEBOARD_HOVER            624
#define IDB_PEN_HALFTONE                    626
#define IDB_PEN_HALFTONE_CHECKED            627
#define IDB_PEN_HALFTONE_HOVER              628
#define IDB_PEN_BLACK                       629
#define IDB_PEN_BLACK_CHECKED               630
#define IDB_PEN_BLACK_HOVER                 631
#define IDB_PEN_BLUE                        632
#define IDB_PEN_BLUE_CHECKED                633
#define IDB_PEN_BLUE_HOVER                  634
#define IDB_PEN_RED                         635
#define IDB_PEN_RED_CHECKED                 636
#define IDB_PEN_RED_HOVER                   637
#define IDB_PEN_GREY                        638
#define IDB_PEN_GREY_CHECKED                639
#define IDB_PEN_GREY_HOVER                  640
#define IDB_PEN_ERASE                       647
#define IDB_PEN_ERASE_CHECKED               648
#define IDB_PEN_ERASE_HOVER                 649
#define IDB_PEN_DRAW                        650
#define IDB_PEN_DRAW_CHECKED                651
#define IDB_PEN_DRAW_HOVER                  652
#define IDB_PEN_WIDTH1                      653
#define IDB_PEN_WIDTH1_CHECKED              654
#define IDB_PEN_WIDTH1_HOVER                655
#define IDB_PEN_WIDTH2                      656
#define IDB_PEN_WIDTH2_CHECKED              657
#define IDB_PEN_WIDTH2_HOVER                658
#define IDB_PEN_WIDTH3                      659
#define IDB_PEN_WIDTH3_CHECKED              660
#define IDB_PEN_WIDTH3_HOVER                661
#define IDB_PEN_WIDTH4                      662
#define IDB_PEN_WIDTH4_CHECKED              663
#define IDB_PEN_WIDTH4_HOVER                664
#define IDB_PEN_SAVE                        665
#define IDB_PEN_SAVE_PRESSED                666
#define IDB_PEN_SAVE_HOVER                  667
#define IDB_PEN_TEAL                        671
#define IDB_PEN_TEAL_CHECKED                672
#define IDB_PEN_TEAL_HOVER                  673
#define IDB_PEN_GREEN                       674
#define IDB_PEN_GREEN_CHECKED               675
#define IDB_PEN_GREEN_HOVER                 676
#define IDB_PEN_VIOLET                      677
#define IDB_PEN_VIOLET_CHECKED              678
#define IDB_PEN_VIOLET_HOVER                679
#define IDB_PEN_YELLOW                      680
#define IDB_PEN_YELLOW_CHECKED              681
#define IDB_PEN_YELLOW_HOVER                682
#define IDB_PEN_CLEAR                       683
#define IDB_PEN_CLEAR_PRESSED               684
#define IDB_PEN_CLEAR_HOVER                 685
#define IDB_PEN_PREVIOUS_PAGE               719
#define IDB_PEN_PREVIOUS_PAGE_DISABLED      720
#define IDB_PEN_PREVIOUS_PAGE_HOVER         721
#define IDB_PEN_NEXT_PAGE                   722
#define IDB_PEN_NEXT_PAGE_DISABLED          723
#define IDB_PEN_NEXT_PAGE_HOVER             724

#define IDB_FT_COMBO_ARROW                  584
#define IDB_FT_COMBO_ARROW_PRESSED          585
#define IDB_FT_FILES_HEADER                 586
#define IDB_FT_STUDENTS_HEADER              587
#define IDB_FT_CHECK_IMAGES                 588
#define IDB_FT_CHECK_ALL                    591
#define IDB_FT_CHECK_ALL_HOVER              592
#define IDB_FT_DESTINATION_PANEL            593
#define IDB_FT_STATUS_PANEL                 594
#define IDB_FT_DELETE_PATH                  595
#define IDB_FT_DELETE_PATH_HOVER            596
#define IDB_FT_OVERWRITE_ON                 598
#define IDB_FT_OVERWRITE_OFF                599
#define IDB_FT_CLOSE                        600
#define IDB_FT_CLOSE_HOVER                  601
#define IDB_FT_START                        602
#define IDB_FT_START_HOVER                  603
#define IDB_FT_STOP                         604
#define IDB_FT_STOP_HOVER                   605
#define IDB_FT_REMOVE                       607
#define IDB_FT_REMOVE_HOVER                 608
#define IDB_FT_ADD                          609
#define IDB_FT_ADD_HOVER                    610
#define IDB_FT_START_DISABLED               717
#define IDB_FT_STOP_DISABLED                718

// ---------------------------------------------------------------------------------------
// Animated GIFs (resource type "GIF"), cursors
#define IDR_GIF_LOGIN_SPINNER               131
#define IDR_GIF_RANDOM_PICK                 785
#define IDCUR_PEN                           392
#define IDCUR_ERASER                        404

// ---------------------------------------------------------------------------------------
// Menus and their commands
#define IDR_SLOT_MENU                       315
#define SLOT_MENU_PC_POSITION               4     // sub-menu for a Windows PC
#define SLOT_MENU_PAD_POSITION              5     // sub-menu for a pad
#define ID_SLOT_REMOTE_CONTROL              32773
#define ID_SLOT_SET_NAME                    32779
#define ID_SLOT_RESTART                     32788
#define ID_SLOT_SHUTDOWN                    32789
#define ID_SLOT_CHAT                        32800
#define ID_SLOT_TOUCH_CONTROL               32802
#define ID_SLOT_FORBID_KEYBOARD             32804
#define ID_SLOT_CHANGE_NUMBER               32805
#define ID_SLOT_RETRY_NEXT_DAY              32817

// ---------------------------------------------------------------------------------------
// Dialog templates
#define IDD_FILE_TRANSFER                   130
#define IDD_PEN_TOOLBAR                     140
#define IDD_LOGIN                           311
#define IDD_STUDENT_NAMES                   314
#define IDD_SLOT_NAME                       316
#define IDD_MONITOR_SETTINGS                319
#define IDD_LOADING                         321
#define IDD_GRID_LAYOUT                     334
#define IDD_ABOUT                           381
#define IDD_CREATE_GROUP                    385
#define IDD_GROUP_EXECUTE                   387
#define IDD_WAIT_MESSAGE                    391
#define IDD_SLOT_CHANGE                     407
#define IDD_TOOLBAR                         420
#define IDD_CONTROL_BAR                     445
#define IDD_MESSAGE_BOX                     687
#define IDD_QUIZ                            748
#define IDD_QUIZ_MESSAGE                    749
#define IDD_QUIZ_WAITING                    750
#define IDD_QUIZ_RESULT                     751
#define IDD_ANIMATION                       779
#define IDD_LOG                             780

// ---------------------------------------------------------------------------------------
// Controls shared by the skinned dialogs
#define IDC_TITLE_TEXT                      1022  // title drawn in the caption band
#define IDC_CAPTION_CLOSE                   1628  // close button in the caption band

// Main frame, group tabs, classroom view
#define ID_FRAME_CLOSE                      150
#define ID_FRAME_CREATE_GROUP               151
#define ID_FRAME_DELETE_GROUP               152
#define ID_FRAME_RUN_ON_GROUP               153
#define IDC_GROUP_TAB_STRIP                 154
#define ID_FRAME_MINIMIZE                   155
#define ID_TAB_SCROLL_LEFT                  150
#define ID_TAB_SCROLL_RIGHT                 151
#define ID_VIEW_LINE_UP                     160
#define ID_VIEW_LINE_DOWN                   161

// Message box (687)
#define IDC_MSGBOX_YES                      1246
#define IDC_MSGBOX_NO                       1247

// Pictures and waiting windows
#define IDC_ANIMATION_PICTURE               1249
#define IDC_LOADING_PICTURE                 1209
#define IDC_LOADING_STATUS                  1210
#define IDC_WAIT_TEXT                       1059

// Skinned scroll window
#define IDC_SKIN_HSCROLL                    100
#define IDC_SKIN_VSCROLL                    101
#define IDC_SKIN_SCROLL_LIMIT               200

// Chat window
#define IDC_CHAT_LOG                        1000
#define IDC_CHAT_INPUT                      1001
#define IDC_CHAT_SEND                       1002
#define IDC_CHAT_HIDE                       1004

// Pad event log (780)
#define IDC_LOG_LIST                        1011
#define IDC_LOG_CANCEL                      1014
#define IDC_LOG_HEADER_TIME                 1237
#define IDC_LOG_HEADER_CONTENT              1240
#define IDC_LOG_HEADER_SLOT                 1241
#define IDC_LOG_DETAIL                      1250

// Control bars of the remote windows (445) and the combined window's commands
#define IDC_BAR_BACK_LAYER                  1000
#define ID_BAR_FULL_SCREEN                  1001
#define IDC_BAR_CLOSE                       1004
#define IDC_BAR_SOUND                       1006
#define IDC_BAR_CHAT                        1007
#define IDC_BAR_HOME                        1008
#define IDC_BAR_BACK                        1009
#define IDC_BAR_SHARE                       1010
#define IDC_BAR_TOUCH                       1011
#define IDC_BAR_PEN                         1012
#define ID_SUM_TOGGLE_CONTROL               108
#define ID_SUM_FULL_SCREEN                  114

// Teacher toolbar (420)
#define IDC_TB_APPLY_SHARE                  1086
#define IDC_TB_CAPTURE_LEFT                 1009
#define IDC_TB_CAPTURE_TOP                  1006
#define IDC_TB_CAPTURE_RIGHT                1011
#define IDC_TB_CAPTURE_BOTTOM               1012
#define IDC_TB_CANVAS_WIDTH                 1185
#define IDC_TB_CANVAS_HEIGHT                1186
#define IDC_TB_QUALITY                      1187
#define IDC_TB_MODE_FULL                    1188
#define IDC_TB_MODE_WINDOW                  1189
#define IDC_TB_FIT_STRETCH                  1190
#define IDC_TB_FIT_CENTRE                   1192
#define IDC_TB_SHARE                        1191
#define IDC_TB_FILE_TRANSFER                1193
#define IDC_TB_TOUCH                        1194
#define IDC_TB_MONITORING                   1196
#define IDC_TB_PEN_TOOL                     1197
#define IDC_TB_INBOX                        1201
#define IDC_TB_COLLECT_VIEW                 1205
#define IDC_TB_ROTATE                       1206
#define IDC_TB_PRESENTATION                 1207
#define IDC_TB_PANEL_CLASS                  1208
#define IDC_TB_PANEL_STUDENT                1210
#define IDC_TB_PANEL_SETTINGS               1211
#define IDC_TB_GRID_LAYOUT                  1212
#define IDC_TB_MONITOR_SETTINGS             1213
#define IDC_TB_STUDENT_NAMES                1215
#define IDC_TB_SETTINGS                     1216
#define IDC_TB_REMOTE_CONTROL               1218
#define IDC_TB_CHAT                         1219
#define IDC_TB_TOUCH_CONTROL                1220
#define IDC_TB_QUIZ                         1221
#define IDC_TB_LOG                          6004

// Settings and restrictions (381)
#define IDC_ABOUT_ADD                       1040
#define IDC_ABOUT_DELETE                    1041
#define IDC_ABOUT_PREVENT_WEB_LABEL         1044
#define IDC_ABOUT_PRODUCT                   1056
#define IDC_ABOUT_PREVENT_END               1089
#define IDC_ABOUT_PREVENT_WEB               1091
#define IDC_ABOUT_PREVENT_OTHER             1093
#define IDC_ABOUT_APPLY                     1096
#define IDC_ABOUT_PROGRAM_EDIT              1097
#define IDC_ABOUT_PROGRAM_LIST              1099
#define IDC_ABOUT_VERSION                   1101
#define IDC_ABOUT_PREVENT_USB               1180
#define IDC_ABOUT_INFO_HEADER               1229
#define IDC_ABOUT_RESTRICT_HEADER           1230
#define IDC_ABOUT_SLOGAN                    1231
#define IDC_ABOUT_PREVENT_END_LABEL         1233
#define IDC_ABOUT_PREVENT_USB_LABEL         1236
#define IDC_ABOUT_PREVENT_OTHER_LABEL       1237

// Group creation (385)
#define IDC_CGROUP_OK                       1013
#define IDC_CGROUP_CANCEL                   1014
#define IDC_CGROUP_NAME                     1107
#define IDC_CGROUP_LIST                     1108
#define IDC_CGROUP_SELECT_ALL               1110
#define IDC_CGROUP_NAME_LABEL               1231
#define IDC_CGROUP_TARGET_LABEL             1232
#define IDC_CGROUP_COL_NUMBER               1233
#define IDC_CGROUP_COL_NAME                 1234

// Group execute (387)
#define IDC_GEXEC_RESTART                   1021
#define IDC_GEXEC_END_PROCESS               1023
#define IDC_GEXEC_OPTIONS_EXAMPLE           1044
#define IDC_GEXEC_SHUTDOWN                  1102
#define IDC_GEXEC_OPTIONS                   1112
#define IDC_GEXEC_RUN                       1113
#define IDC_GEXEC_PROCESS                   1114
#define IDC_GEXEC_PATH                      1132
#define IDC_GEXEC_DELETE_RECENT             1133
#define IDC_GEXEC_CLOSE                     1134
#define IDC_GEXEC_RUN_HEADER                1226
#define IDC_GEXEC_END_HEADER                1227
#define IDC_GEXEC_POWER_HEADER              1228
#define IDC_GEXEC_PATH_LABEL                1231
#define IDC_GEXEC_OPTIONS_LABEL             1232
#define IDC_GEXEC_PROCESS_LABEL             1233
#define IDC_GEXEC_RUN_NOTE                  1234
#define IDC_GEXEC_PATH_EXAMPLE              1235
#define IDC_GEXEC_END_NOTE                  1236
#define IDC_GEXEC_PROCESS_EXAMPLE           1237

// Monitoring-screen settings (319)
#define IDC_MON_QUALITY_NOTE                1044
#define IDC_MON_REFRESH                     1045
#define IDC_MON_CAPTURE_ALL                 1096
#define IDC_MON_VALUE_BOX                   1202
#define IDC_MON_REFRESH_HEADER              1229
#define IDC_MON_QUALITY_HEADER              1230
#define IDC_MON_REFRESH_LABEL               1231
#define IDC_MON_REFRESH_UNIT                1232
#define IDC_MON_NOTE_UNIT                   1233
#define IDC_MON_NOTE_RANGE                  1234
#define IDC_MON_NOTE_EXAMPLE                1235
#define IDC_MON_LOW_QUALITY                 1236
#define IDC_MON_HIGH_QUALITY                1237

// Grid layout (334)
#define IDC_LAYOUT_PER_ROW                  1041
#define IDC_LAYOUT_WIDTH_RATIO              1042
#define IDC_LAYOUT_HEIGHT_RATIO             1043
#define IDC_LAYOUT_ROW_PREFIX               1221
#define IDC_LAYOUT_ROW_SUFFIX               1222
#define IDC_LAYOUT_ROW_NOTE                 1223
#define IDC_LAYOUT_RATIO_NOTE1              1224
#define IDC_LAYOUT_RATIO_NOTE2              1225
#define IDC_LAYOUT_ROW_HEADER               1226
#define IDC_LAYOUT_RATIO_HEADER             1227

// Teacher login (311)
#define IDC_LOGIN_TEACHER_ID                1000
#define IDC_LOGIN_ERROR                     1003
#define IDC_LOGIN_FOLDER                    1004
#define IDC_LOGIN_ID_LABEL                  1231
#define IDC_LOGIN_FOLDER_LABEL              1232

// Slot move and swap (407)
#define IDC_SLOTCHG_OK                      1013
#define IDC_SLOTCHG_CANCEL                  1014
#define IDC_SLOTCHG_REFRESH                 1127
#define IDC_SLOTCHG_MOVE                    1169
#define IDC_SLOTCHG_SWAP                    1170
#define IDC_SLOTCHG_MOVE_LABEL              1173
#define IDC_SLOTCHG_SWAP_LABEL              1174
#define IDC_SLOTCHG_MOVE_TARGET             1175
#define IDC_SLOTCHG_SWAP_TARGET             1176
#define IDC_SLOTCHG_CURRENT_FOR_MOVE        1177
#define IDC_SLOTCHG_CURRENT_FOR_SWAP        1178

// Per-slot name (316)
#define IDC_SLOTNAME_EDIT                   1001
#define IDC_SLOTNAME_OK                     1013
#define IDC_SLOTNAME_CANCEL                 1014
#define IDC_SLOTNAME_LABEL                  1044
#define IDC_SLOTNAME_TITLE                  1230

// Student names (314)
#define IDC_NAMES_LIST                      1011
#define IDC_NAMES_EDIT                      1012
#define IDC_NAMES_OK                        1013
#define IDC_NAMES_CANCEL                    1014
#define IDC_NAMES_HINT_CHECK                1044
#define IDC_NAMES_HEADER_SET                1231
#define IDC_NAMES_HINT_CORNER               1232
#define IDC_NAMES_HINT_NUMBER_ONLY          1233
#define IDC_NAMES_HEADER_CHECK              1234
#define IDC_NAMES_HINT_ALT                  1235
#define IDC_NAMES_SHOW_LABEL                1236
#define IDC_NAMES_COL_NUMBER                1237
#define IDC_NAMES_SHOW                      1239
#define IDC_NAMES_COL_NAME                  1240

// Quiz panel (748) and pop-ups (749 to 751)
#define IDC_QUIZ_RANDOM_PICK                1700
#define IDC_QUIZ_SPEED                      1701
#define IDC_QUIZ_OX                         1702
#define IDC_QUIZ_CHOICE                     1703
#define IDC_QUIZ_CONTROL_RIGHT              1705
#define IDC_QUIZ_RESET                      1706
#define IDC_QUIZ_START                      1708
#define IDC_QUIZ_CHOICE_COUNT               1709
#define IDC_QUIZMSG_OK_ALT                  1134
#define IDC_QUIZMSG_CANCEL_ALT              1014
#define IDC_QUIZMSG_YES                     1246
#define IDC_QUIZMSG_NO                      1247
#define IDC_QUIZRESULT_RESTORE_WINDOW       1248
#define IDC_QUIZMSG_TEXT                    1710  // the announcement's text
#define IDC_QUIZWAIT_SECONDS                1711  // seconds waited
#define IDC_QUIZWAIT_PROGRESS               1712  // "answers / asked"
#define IDC_QUIZRESULT_ROW_FIRST            1720  // the chart's rows, one per answer, then no answer

// Pen toolbar (140)
#define IDC_PEN_WHITEBOARD_MODE             1034
#define IDC_PEN_TOUCH_MODE                  1520
#define IDC_PEN_PEN_MODE                    1521
#define IDC_PEN_DRAW                        1522
#define IDC_PEN_ERASE                       1523
#define IDC_PEN_CLEAR_ALL                   1524
#define IDC_PEN_WIDTH1                      1525
#define IDC_PEN_WIDTH2                      1526
#define IDC_PEN_WIDTH3                      1527
#define IDC_PEN_WIDTH4                      1528
#define IDC_PEN_BLACK                       1529
#define IDC_PEN_RED                         1530
#define IDC_PEN_BLUE                        1531
#define IDC_PEN_GREY                        1532
#define IDC_PEN_YELLOW                      1533
#define IDC_PEN_VIOLET                      1534
#define IDC_PEN_GREEN                       1535
#define IDC_PEN_TEAL                        1536
#define IDC_PEN_HALFTONE                    1537
#define IDC_PEN_SAVE                        1538
#define IDC_PEN_UNUSED                      1539  // does nothing when sent
#define IDC_PEN_PREVIOUS_PAGE               1540
#define IDC_PEN_NEXT_PAGE                   1541

// File transfer (130)
#define IDC_FT_HINT_SECOND                  1044
#define IDC_FT_FOLDER_TREE                  1007
#define IDC_FT_FILES                        1015
#define IDC_FT_STUDENTS                     1016
#define IDC_FT_START                        1017
#define IDC_FT_STOP                         1018
#define IDC_FT_OVERWRITE                    1020
#define IDC_FT_STATUS                       1108
#define IDC_FT_CHECK_ALL                    1110
#define IDC_FT_DESTINATION                  1130
#define IDC_FT_DELETE_PATH                  1131
#define IDC_FT_ADD                          1201
#define IDC_FT_REMOVE                       1202
#define IDC_FT_SECTION_FOLDERS              1231
#define IDC_FT_SECTION_FILES                1232
#define IDC_FT_SECTION_STUDENTS             1233
#define IDC_FT_DESTINATION_TITLE            1234
#define IDC_FT_HINT_FIRST                   1235
#define IDC_FT_OVERWRITE_LABEL              1236
#define IDC_FT_FILES_LABEL_NAME             1244
#define IDC_FT_FILES_LABEL_STATE            1245
#define IDC_FT_STUDENTS_LABEL_NUMBER        1246
#define IDC_FT_STUDENTS_LABEL_NAME          1247
#define IDC_FT_STATUS_LABEL_FILE            1248
#define IDC_FT_STATUS_LABEL_NUMBER          1249
#define IDC_FT_STATUS_LABEL_PROGRESS        1250
#define IDC_FT_STATUS_LABEL_RESULT          1251
