// The shared platform utilities in one include.
#pragma once

#include "foundation/FileUtil.h"
#include "foundation/MessagePump.h"
#include "foundation/StringUtil.h"
#include "foundation/SystemInfo.h"
#include "foundation/WindowsEntries.h"
