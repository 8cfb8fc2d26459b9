#include "app/qt/fontwarmup.h"

#include <dlfcn.h>

namespace ui {

FontWarmUp::FontWarmUp() {
    // Looked up, not linked: Qt's libraries bring fontconfig into the process on the systems
    // that use it, and elsewhere there is nothing to read. FcInit is safe to race with another
    // caller: fontconfig keeps whichever configuration is finished first.
    using FcInit = int (*)();
    if (auto init = reinterpret_cast<FcInit>(dlsym(RTLD_DEFAULT, "FcInit")))
        m_thread = std::thread([init] { init(); });
}

FontWarmUp::~FontWarmUp() { wait(); }

void FontWarmUp::wait() {
    if (m_thread.joinable()) m_thread.join();
}

} // namespace ui
