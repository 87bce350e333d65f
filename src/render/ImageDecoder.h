#pragma once

#include "render/DecodedImage.h"
#include "render/MipmapChain.h"

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Decodes images on worker threads, so that loading overlaps with the GL work of the main thread,
// which alone uploads. Decodes are taken in the order they were asked for. The decoder owns its
// workers: they run until it is destroyed, and are joined then.
class ImageDecoder {
public:
    // One worker per core by default. Should no thread be available, every decode runs in the call
    // that asks for it.
    explicit ImageDecoder(unsigned workerCount = std::thread::hardware_concurrency());
    // Lets the workers finish every decode asked for, then joins them.
    ~ImageDecoder();
    ImageDecoder(const ImageDecoder&) = delete;
    ImageDecoder& operator=(const ImageDecoder&) = delete;

    // The file in its own channel count, with its mipmaps.
    std::future<MipmapChain> decodeFileWithMipmaps(std::string path);
    // channels as for DecodedImage. The bytes are read by a worker: they must stay unchanged until
    // the result is ready.
    std::future<DecodedImage> decodeMemory(std::span<const unsigned char> bytes, int channels);

    unsigned getWorkerCount() const { return static_cast<unsigned>(workers.size()); }

private:
    // A job owns the task that makes its result.
    using Job = std::packaged_task<void()>;

    template <typename Result, typename Work> std::future<Result> enqueue(Work work) {
        std::packaged_task<Result()> task(std::move(work));
        std::future<Result> result = task.get_future();
        enqueue(Job(std::move(task)));
        return result;
    }
    void enqueue(Job job);
    void work();

    std::mutex mutex;
    std::condition_variable jobAdded;
    std::deque<Job> jobs;
    bool stopping = false;
    // Last, so that the queue exists before any worker reads it.
    std::vector<std::thread> workers;
};
