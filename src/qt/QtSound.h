// The sound library of the game, over Qt Multimedia: wave files held in memory, played once or
// looping, mixed into one output stream on a thread of its own so that the music keeps playing
// while the computer thinks. Handle 0 is accepted everywhere and plays nothing.
#pragma once

#include "platform/Platform.h"

#include <QIODevice>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QAudioSink;
class QThread;

namespace kelvore::qt {

// 16-bit stereo samples at the output rate.
struct Pcm {
    std::vector<std::int16_t> samples; // interleaved left, right
};

// Decodes a RIFF/WAVE file of 8- or 16-bit PCM, mono or stereo, converting it to 44.1 kHz
// stereo. Nothing when the bytes are not such a file.
std::optional<Pcm> decodeWave(const std::vector<std::uint8_t>& bytes);

// Sums the voices that are playing.
class Mixer : public QIODevice {
public:
    int add(Pcm pcm);
    void release(int buffer);
    void play(int buffer, bool looping);
    void stop(int buffer);
    bool isPlaying(int buffer) const;

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return 4096 + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    struct Voice {
        int buffer;
        std::size_t position;
        bool looping;
    };
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<const Pcm>> buffers_; // index = handle - 1
    std::vector<Voice> voices_;
};

class QtSound : public SoundLibrary {
public:
    QtSound();
    ~QtSound() override;
    std::int32_t dsInitialize(std::intptr_t windowHandle) override;
    std::int32_t dsCreateDSB(std::int32_t device, const std::vector<std::uint8_t>& wave,
                             std::int32_t flag) override;
    void dsPlay(std::int32_t buffer) override;
    void dsPlayLooping(std::int32_t buffer) override;
    void dsStop(std::int32_t buffer) override;
    void dsFree(std::int32_t buffer) override;
    void dsTerminate(std::int32_t device) override;

    Mixer& mixer() { return *mixer_; }

private:
    // The audio output, made, used and deleted only on thread_.
    struct Output {
        QAudioSink* sink = nullptr;
    };
    // Shared with what runs on thread_.
    std::shared_ptr<Mixer> mixer_;
    std::shared_ptr<Output> output_;
    QThread* thread_ = nullptr;
    QObject* worker_ = nullptr; // lives on thread_: what runs there is invoked on it
};

} // namespace kelvore::qt
