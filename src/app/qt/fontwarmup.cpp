// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/fontwarmup.h"

#include <dlfcn.h>

namespace ui {

namespace {

// Type 1 fonts stay out of the program's font list. FreeType takes half a millisecond to open
// one (an OpenType font a twentieth of that), and the fonts that stand in for "Arial" and
// friends on a usual system (the URW set) are installed as OpenType too, the same designs.
constexpr char kWithoutType1[] =
    "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">"
    "<fontconfig><selectfont><rejectfont><pattern>"
    "<patelt name=\"fontformat\"><string>Type 1</string></patelt>"
    "</pattern></rejectfont></selectfont></fontconfig>";

// Looked up, not linked: Qt's libraries bring fontconfig into the process on the systems that
// use it, and elsewhere there is nothing to read.
template <typename F> F find(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

void readConfiguration() {
    using Init = int (*)();
    using LoadConfig = void* (*)();
    using ParseFromMemory = int (*)(void*, const unsigned char*, int);
    using SetCurrent = int (*)(void*);
    using Destroy = void (*)(void*);
    const auto loadConfig = find<LoadConfig>("FcInitLoadConfig");
    const auto parse = find<ParseFromMemory>("FcConfigParseAndLoadFromMemory");
    const auto setCurrent = find<SetCurrent>("FcConfigSetCurrent");
    const auto destroy = find<Destroy>("FcConfigDestroy");
    if (loadConfig && parse && setCurrent && destroy) {
        // The system's configuration, the rule above, then the font list (set current builds
        // it); Qt's own FcInit later finds it all done.
        if (void* config = loadConfig()) {
            parse(config, reinterpret_cast<const unsigned char*>(kWithoutType1), 1);
            if (setCurrent(config)) return; // fontconfig keeps it for the process
            destroy(config);                // refused: ours to free, and FcInit below makes its own
        }
    }
    if (const auto init = find<Init>("FcInit")) init();
}

} // namespace

FontWarmUp::FontWarmUp() {
    if (find<void*>("FcInit")) m_thread = std::thread(readConfiguration);
}

FontWarmUp::~FontWarmUp() {
    wait();
}

void FontWarmUp::wait() {
    if (m_thread.joinable()) m_thread.join();
}

} // namespace ui
