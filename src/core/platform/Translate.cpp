#include "platform/Translate.h"

#include <atomic>

namespace kelvore {

namespace {

std::atomic<const Translator*> installed{nullptr};

} // namespace

void setTranslator(const Translator* translator) {
    installed.store(translator, std::memory_order_release);
}

bool translated() {
    return installed.load(std::memory_order_acquire) != nullptr;
}

std::string translate(const char* context, const char* source) {
    const Translator* t = installed.load(std::memory_order_acquire);
    return t ? t->translate(context, source) : std::string(source);
}

std::string args(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < values.size()) {
                out += *(values.begin() + n);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace kelvore
