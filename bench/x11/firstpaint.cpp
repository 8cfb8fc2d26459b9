// SPDX-License-Identifier: GPL-3.0-or-later
// Time from process start to the first painted window, and the process's resident memory at
// that moment. Starts COMMAND on the X display of $DISPLAY (an otherwise empty Xvfb screen) and
// reads the root window's pixels, each time something is drawn, until a window-sized area differs
// from the empty screen.
//
//   bench_firstpaint COMMAND [ARG...]
//
// Prints "FIRSTPAINT <milliseconds> <resident KiB> <CPU milliseconds>" and ends COMMAND; exit 1
// when nothing was painted within 30 s. The CPU time (all of COMMAND's threads) hardly depends
// on what else the machine is doing, so it is the steadier figure on a busy machine. With
// BENCH_SMAPS=FILE set, the process's /proc/PID/smaps at that moment is copied to FILE (which
// libraries are mapped, and how much of each is resident); with BENCH_SHOT=FILE, the screen
// as read then is written to FILE as a PPM picture (what counted as the first frame).
//
// The screen is read through shared memory (MIT-SHM) when the display offers it: a read over
// the socket copies 1.9 MB through the X server each time, which kept the server busy enough
// to see a first frame 10 to 20 ms after the program had put it there, by which time the
// program's work after its first frame had added to its memory and CPU figures.
//
// The screen is read only when the X server reports that something was drawn (DAMAGE
// extension on the root window). Reading it every millisecond instead cost the probe and the
// server together about a fifth of a core while the program started (9 ms a start) -- taken
// from the program being timed, and more from one that starts a second thread.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#ifdef BENCH_HAVE_XDAMAGE
#include <X11/extensions/Xdamage.h>
#else
using Damage = unsigned long;
#endif

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <string>
#include <vector>

#include <sys/ipc.h>
#include <sys/select.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

// Time on a CPU so far, summed over the process's threads (nanoseconds in schedstat).
double cpuMs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir) return -1;
    double ns = 0;
    while (const dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        std::ifstream stat(tasks + "/" + e->d_name + "/schedstat");
        double onCpu = 0;
        if (stat >> onCpu) ns += onCpu;
    }
    closedir(dir);
    return ns / 1e6;
}

// The root window's pixels, read into one shared-memory image when the display allows it.
class ScreenReader {
public:
    ScreenReader(Display* d, Window root, int w, int h) : m_d(d), m_root(root), m_w(w), m_h(h) {
        if (!XShmQueryExtension(d)) return;
        const int screen = DefaultScreen(d);
        m_img = XShmCreateImage(d, DefaultVisual(d, screen), unsigned(DefaultDepth(d, screen)),
                                ZPixmap, nullptr, &m_shm, unsigned(w), unsigned(h));
        if (!m_img) return;
        m_shm.shmid = shmget(IPC_PRIVATE, std::size_t(m_img->bytes_per_line) * std::size_t(h),
                             IPC_CREAT | 0600);
        if (m_shm.shmid >= 0) {
            m_shm.shmaddr = m_img->data = static_cast<char*>(shmat(m_shm.shmid, nullptr, 0));
            m_shm.readOnly = False;
            shmctl(m_shm.shmid, IPC_RMID, nullptr); // gone once both sides detach
            if (m_shm.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(d, &m_shm)) {
                XSync(d, False);
                m_attached = true;
                return;
            }
        }
        XDestroyImage(m_img);
        m_img = nullptr;
    }
    ~ScreenReader() {
        if (!m_img) return;
        if (m_attached) XShmDetach(m_d, &m_shm);
        XDestroyImage(m_img);
        shmdt(m_shm.shmaddr);
    }

    // The screen as last read, as a binary PPM file (P6); false when it cannot be written.
    bool save(const char* path) const {
        XImage* img = m_img;
        if (!img || !m_attached) return false;
        std::ofstream out(path, std::ios::binary);
        out << "P6\n" << m_w << ' ' << m_h << "\n255\n";
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x) {
                const unsigned long px = XGetPixel(img, x, y);
                const char rgb[3] = {static_cast<char>((px >> 16) & 0xff),
                                     static_cast<char>((px >> 8) & 0xff),
                                     static_cast<char>(px & 0xff)};
                out.write(rgb, 3);
            }
        return bool(out);
    }

    // Every fourth pixel of every fourth row, as 32-bit values.
    std::vector<unsigned long> sample() {
        XImage* img = m_img;
        if (m_attached) {
            if (!XShmGetImage(m_d, m_root, img, 0, 0, AllPlanes)) return {};
        } else {
            img = XGetImage(m_d, m_root, 0, 0, unsigned(m_w), unsigned(m_h), AllPlanes, ZPixmap);
            if (!img) return {};
        }
        std::vector<unsigned long> px;
        px.reserve(std::size_t(m_w / 4) * std::size_t(m_h / 4));
        if (img->bits_per_pixel == 32) { // the usual screen: read the words straight
            for (int y = 0; y < m_h; y += 4) {
                const auto* row = reinterpret_cast<const std::uint32_t*>(
                    img->data + std::size_t(y) * std::size_t(img->bytes_per_line));
                for (int x = 0; x < m_w; x += 4)
                    px.push_back(row[x]);
            }
        } else {
            for (int y = 0; y < m_h; y += 4)
                for (int x = 0; x < m_w; x += 4)
                    px.push_back(XGetPixel(img, x, y));
        }
        if (!m_attached) XDestroyImage(img);
        return px;
    }

private:
    Display* m_d;
    Window m_root;
    int m_w, m_h;
    XImage* m_img = nullptr;
    XShmSegmentInfo m_shm{};
    bool m_attached = false;
};

// Waits up to 10 ms for the server to report drawing; true when it did. The report is
// cleared, so the next one comes with the next drawing.
bool waitForDamage([[maybe_unused]] Display* d, [[maybe_unused]] Damage damage,
                   [[maybe_unused]] int damageEvent) {
#ifdef BENCH_HAVE_XDAMAGE
    if (XPending(d) == 0) {
        const int fd = ConnectionNumber(d);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval timeout{0, 10000};
        if (select(fd + 1, &readable, nullptr, nullptr, &timeout) <= 0) return false;
    }
    bool drawn = false;
    while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        drawn = drawn || e.type == damageEvent + XDamageNotify;
    }
    if (drawn) XDamageSubtract(d, damage, None, None);
    return drawn;
#else
    return true;
#endif
}

void end(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_firstpaint COMMAND [ARG...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "bench_firstpaint: no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(d);
    XWindowAttributes attr{};
    XGetWindowAttributes(d, root, &attr);
    ScreenReader screen(d, root, attr.width, attr.height);
    const std::vector<unsigned long> empty = screen.sample();
    // A window counts as painted when a fifth of a 704 x 501 window has changed.
    const std::size_t enough = std::size_t(704 * 501 / 5) / 16;

    // Told when anything is drawn on the screen; without the extension, read it every
    // millisecond.
    int damageEvent = 0;
    Damage damage = 0;
#ifdef BENCH_HAVE_XDAMAGE
    int damageError = 0;
    if (XDamageQueryExtension(d, &damageEvent, &damageError)) {
        damage = XDamageCreate(d, root, XDamageReportNonEmpty);
        XSync(d, False);
    }
#endif

    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    while (now() - start < 30) {
        if (damage && !waitForDamage(d, damage, damageEvent)) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) break;
            continue;
        }
        const std::vector<unsigned long> px = screen.sample();
        std::size_t changed = 0;
        for (std::size_t i = 0; i < px.size() && i < empty.size(); ++i)
            changed += px[i] != empty[i];
        if (changed >= enough) {
            const double ms = (now() - start) * 1000;
            const long kib = residentKiB(pid);
            const double cpu = cpuMs(pid);
            if (const char* out = std::getenv("BENCH_SHOT")) screen.save(out);
            if (const char* out = std::getenv("BENCH_SMAPS")) {
                std::ifstream in("/proc/" + std::to_string(pid) + "/smaps");
                std::ofstream(out) << in.rdbuf();
            }
            std::printf("FIRSTPAINT %.1f %ld %.1f\n", ms, kib, cpu);
            end(pid);
            return 0;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) break;
        if (!damage) usleep(1000);
    }
    std::fprintf(stderr, "bench_firstpaint: %s painted nothing\n", argv[1]);
    end(pid);
    return 1;
}
