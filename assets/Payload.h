// The payload archive the installer writes out as "安装文件.zip" and extracts into the
// product folder: a complete ZIP file in a ByteSet, read-only, in the program image.
// Link velmora_payload to get it (16 MB; assets/CMakeLists.txt builds or checks it).
#pragma once

#include "assets/ByteSet.h"

extern "C" const ByteSet payloadArchive;
