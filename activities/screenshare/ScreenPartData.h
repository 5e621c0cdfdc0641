// CScreenPartData: a tile of the single-receiver streams (the remote-controller app and one pad);
// the same record as a tile of the class broadcast.
#pragma once

#include "activities/screenshare/BroadPartData.h"

class CScreenPartData : public CBroadPartData {
public:
    using CBroadPartData::CBroadPartData;
};
