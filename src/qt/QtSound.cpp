#include "QtSound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QSemaphore>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kelvore::qt {

namespace {

constexpr int kRate = 44100;
// How long the end of the program waits for the output thread to close the stream.
constexpr int kTerminateWaitMs = 2000;

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

std::optional<Pcm> decodeWave(const std::vector<std::uint8_t>& b) {
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
        std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    int channels = 0, rate = 0, bits = 0, format = 0;
    const std::uint8_t* data = nullptr;
    std::size_t dataSize = 0;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::uint32_t size = le32(b.data() + at + 4);
        const std::size_t body = at + 8;
        if (size > b.size() - body) {
            if (std::memcmp(b.data() + at, "data", 4) != 0) break;
        }
        const std::size_t usable = std::min<std::size_t>(size, b.size() - body);
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && usable >= 16) {
            format = le16(b.data() + body);
            channels = le16(b.data() + body + 2);
            rate = static_cast<int>(le32(b.data() + body + 4));
            bits = le16(b.data() + body + 14);
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            data = b.data() + body;
            dataSize = usable;
        }
        at = body + usable + (usable & 1);
    }
    if (format != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) ||
        rate < 4000 || rate > 192000 || data == nullptr)
        return std::nullopt;
    const std::size_t frameBytes = static_cast<std::size_t>(channels) * (bits / 8);
    const std::size_t frames = dataSize / frameBytes;
    auto sample = [&](std::size_t frame, int channel) -> std::int16_t {
        const std::uint8_t* p = data + frame * frameBytes + channel * (bits / 8);
        if (bits == 8) return static_cast<std::int16_t>((p[0] - 128) << 8);
        return static_cast<std::int16_t>(le16(p));
    };
    Pcm pcm;
    const std::size_t outFrames = frames * kRate / rate;
    pcm.samples.resize(outFrames * 2);
    for (std::size_t i = 0; i < outFrames; ++i) {
        const std::size_t src = std::min(frames - 1, i * rate / kRate);
        pcm.samples[2 * i] = sample(src, 0);
        pcm.samples[2 * i + 1] = sample(src, channels - 1);
    }
    return pcm;
}

// ---------------------------------------------------------------- Mixer

int Mixer::add(Pcm pcm) {
    std::lock_guard lock(mutex_);
    buffers_.push_back(std::make_shared<const Pcm>(std::move(pcm)));
    return static_cast<int>(buffers_.size());
}

void Mixer::release(int buffer) {
    std::lock_guard lock(mutex_);
    if (buffer < 1 || buffer > static_cast<int>(buffers_.size())) return;
    std::erase_if(voices_, [buffer](const Voice& v) { return v.buffer == buffer; });
    buffers_[buffer - 1].reset();
}

void Mixer::play(int buffer, bool looping) {
    std::lock_guard lock(mutex_);
    if (buffer < 1 || buffer > static_cast<int>(buffers_.size()) || !buffers_[buffer - 1]) return;
    if (looping)
        for (const Voice& v : voices_)
            if (v.buffer == buffer && v.looping) return; // already looping
    voices_.push_back({buffer, 0, looping});
}

void Mixer::stop(int buffer) {
    std::lock_guard lock(mutex_);
    std::erase_if(voices_, [buffer](const Voice& v) { return v.buffer == buffer; });
}

bool Mixer::isPlaying(int buffer) const {
    std::lock_guard lock(mutex_);
    return std::any_of(voices_.begin(), voices_.end(),
                       [buffer](const Voice& v) { return v.buffer == buffer; });
}

qint64 Mixer::readData(char* data, qint64 maxSize) {
    const std::size_t samples = static_cast<std::size_t>(maxSize) / 2 / 2 * 2;
    auto* out = reinterpret_cast<std::int16_t*>(data);
    std::vector<int> sum(samples, 0);
    {
        std::lock_guard lock(mutex_);
        for (Voice& v : voices_) {
            const auto& pcm = buffers_[v.buffer - 1];
            if (!pcm || pcm->samples.empty()) {
                v.position = SIZE_MAX;
                continue;
            }
            const auto& s = pcm->samples;
            for (std::size_t i = 0; i < samples; ++i) {
                if (v.position >= s.size()) {
                    if (!v.looping) break;
                    v.position = 0;
                }
                sum[i] += s[v.position++];
            }
        }
        std::erase_if(voices_, [this](const Voice& v) {
            const auto& pcm = buffers_[v.buffer - 1];
            return !v.looping && (!pcm || v.position >= pcm->samples.size());
        });
    }
    for (std::size_t i = 0; i < samples; ++i)
        out[i] = static_cast<std::int16_t>(std::clamp(sum[i], -32768, 32767));
    return static_cast<qint64>(samples * 2);
}

// ---------------------------------------------------------------- QtSound

QtSound::QtSound() : mixer_(std::make_shared<Mixer>()), output_(std::make_shared<Output>()) {}

QtSound::~QtSound() {
    dsTerminate(1);
}

std::int32_t QtSound::dsInitialize(std::intptr_t) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return 0;
    QAudioFormat format;
    format.setSampleRate(kRate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) return 0;
    mixer_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    thread_ = new QThread;
    worker_ = new QObject;
    worker_->moveToThread(thread_);
    thread_->start();
    // The output lives on its own thread, which pulls from the mixer. The window does not wait
    // for it to open: a sound server that accepts the stream but never starts it (PipeWire
    // without its session manager) leaves the game silent, not stuck before its window shows.
    QMetaObject::invokeMethod(
        worker_,
        [output = output_, mixer = mixer_, device, format] {
            output->sink = new QAudioSink(device, format);
            output->sink->setBufferSize(kRate / 10 * 4);
            output->sink->start(mixer.get());
        },
        Qt::QueuedConnection);
    return 1;
}

std::int32_t QtSound::dsCreateDSB(std::int32_t device, const std::vector<std::uint8_t>& wave,
                                  std::int32_t) {
    if (device == 0) return 0;
    auto pcm = decodeWave(wave);
    if (!pcm) return 0;
    return mixer_->add(std::move(*pcm));
}

void QtSound::dsPlay(std::int32_t buffer) {
    if (buffer != 0) mixer_->play(buffer, false);
}

void QtSound::dsPlayLooping(std::int32_t buffer) {
    if (buffer != 0) mixer_->play(buffer, true);
}

void QtSound::dsStop(std::int32_t buffer) {
    if (buffer != 0) mixer_->stop(buffer);
}

void QtSound::dsFree(std::int32_t buffer) {
    if (buffer != 0) mixer_->release(buffer);
}

void QtSound::dsTerminate(std::int32_t device) {
    if (device == 0 || thread_ == nullptr) return;
    auto done = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(
        worker_,
        [output = output_, worker = worker_, done] {
            if (output->sink) output->sink->stop();
            delete output->sink;
            output->sink = nullptr;
            delete worker;
            done->release();
        },
        Qt::QueuedConnection);
    if (!done->tryAcquire(1, kTerminateWaitMs)) {
        // The output thread is still caught in the sound server, and the sound library's own
        // clean-up would abort under it. The program is ending and has nothing left to save:
        // end it here rather than hang or crash on the way out.
        std::fflush(nullptr);
        std::_Exit(0);
    }
    worker_ = nullptr;
    thread_->quit();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    mixer_->close();
}

} // namespace kelvore::qt
