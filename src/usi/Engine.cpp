#include "Engine.h"

#include <ostream>

namespace kelvore::usi {

struct Engine::Impl {};

Engine::Engine() : impl_(new Impl) {}
Engine::~Engine() { delete impl_; }

bool Engine::handle(const std::string& line, std::ostream& out) {
    if (line == "quit") return false;
    if (line == "isready") out << "readyok\n";
    return true;
}

} // namespace kelvore::usi
