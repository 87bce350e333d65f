#include "render/ImageDecoder.h"

#include <malloc.h>
#include <pthread.h>
#include <sched.h>
#include <system_error>

namespace {

constexpr int kLargeBlockBytes = 128 * 1024;

} // namespace

ImageDecoder::ImageDecoder(unsigned workerCount) {
#ifdef __GLIBC__
    // Images decoded by a worker are freed by the main thread once uploaded. glibc raises its
    // threshold for mapping large blocks on their own when the first such block is freed; the
    // later images then come from the worker's arena and stay resident there after they are freed,
    // as many megabytes as the start-up decodes at once. A fixed threshold hands every large block
    // back to the system when it is freed.
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
#endif
    workers.reserve(workerCount);
    for (unsigned i = 0; i < workerCount; ++i) {
        try {
            workers.emplace_back(&ImageDecoder::work, this);
        } catch (const std::system_error&) {
            // Fewer workers only make decoding slower; none makes it synchronous.
            break;
        }
    }
}

ImageDecoder::~ImageDecoder() {
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    jobAdded.notify_all();
    for (std::thread& worker : workers) {
        worker.join();
    }
}

std::future<MipmapChain> ImageDecoder::decodeFileWithMipmaps(std::string path) {
    return enqueue<MipmapChain>(
        [path = std::move(path)] { return MipmapChain(DecodedImage::fromFile(path, 0)); });
}

std::future<DecodedImage> ImageDecoder::decodeMemory(std::span<const unsigned char> bytes, int channels) {
    return enqueue<DecodedImage>([bytes, channels] { return DecodedImage::fromMemory(bytes, channels); });
}

void ImageDecoder::enqueue(Job job) {
    if (workers.empty()) {
        job();
        return;
    }
    {
        const std::lock_guard lock(mutex);
        jobs.push_back(std::move(job));
    }
    jobAdded.notify_one();
}

void ImageDecoder::work() {
    // A worker woken by a new decode must not preempt the main thread, which asked for it and goes
    // on with the frame; the batch policy gives up that wake-up advantage and nothing else.
    sched_param normalPriority{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &normalPriority);
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex);
            jobAdded.wait(lock, [this] { return stopping || !jobs.empty(); });
            if (jobs.empty()) {
                return;
            }
            job = std::move(jobs.front());
            jobs.pop_front();
        }
        job();
    }
}
