// The runner's stdout gets a real 64 KB buffer in the WebAssembly build.
// trevane-run asks for one with setvbuf(stdout, nullptr, _IOFBF, 1 << 16),
// but emscripten's C library keeps its own 1 KB buffer when given none, so
// every few lines became a write of its own under Node. Given this buffer
// before main, the later call keeps it. Linked only into the web runner.
#include <cstdio>

namespace {

char tampon[1 << 16];

const bool tamponPose = std::setvbuf(stdout, tampon, _IOFBF, sizeof tampon) == 0;

} // namespace
