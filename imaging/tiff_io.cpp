#include "tiff_io.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "size_limits.h"

namespace imaging {

// Where libtiff reads or writes, and the first error it reported.
struct TiffStream {
    Bytes in;
    std::vector<uint8_t>* out = nullptr;
    uint64_t position = 0;
    const char* prefix = "damaged TIFF";
    char error[256] = {};
};

namespace {

using Context = TiffStream;

Context* ContextOf(thandle_t handle) {
    return static_cast<Context*>(handle);
}

uint64_t StreamSize(const Context& context) {
    return context.out ? context.out->size() : context.in.size();
}

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    Context* context = ContextOf(handle);
    uint64_t available =
        context->position < context->in.size() ? context->in.size() - context->position : 0;
    size_t count = size < 0 ? 0 : std::min<uint64_t>(static_cast<uint64_t>(size), available);
    std::memcpy(buffer, context->in.data() + context->position, count);
    context->position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
    Context* context = ContextOf(handle);
    if (!context->out || size < 0) {
        return -1;
    }
    uint64_t end = context->position + static_cast<uint64_t>(size);
    if (end < context->position) {
        return -1;
    }
    try {
        if (end > context->out->size()) {
            context->out->resize(end);
        }
    } catch (...) {
        return -1;
    }
    std::memcpy(context->out->data() + context->position, buffer, static_cast<size_t>(size));
    context->position = end;
    return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    Context* context = ContextOf(handle);
    uint64_t base = whence == SEEK_CUR   ? context->position
                    : whence == SEEK_END ? StreamSize(*context)
                                         : 0;
    context->position = base + offset;
    return context->position;
}

int CloseProc(thandle_t) {
    return 0;
}

toff_t SizeProc(thandle_t handle) {
    return StreamSize(*ContextOf(handle));
}

int MapProc(thandle_t handle, void** base, toff_t* size) {
    Context* context = ContextOf(handle);
    if (context->out) {
        return 0;
    }
    *base = const_cast<uint8_t*>(context->in.data());
    *size = context->in.size();
    return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* user, const char* module, const char* format, va_list arguments) {
    Context* context = static_cast<Context*>(user);
    if (context->error[0] == '\0') {
        char text[200];
        std::vsnprintf(text, sizeof text, format, arguments);
        // libtiff apologises for layouts it has no code for; those files are not damaged.
        constexpr char kApology[] = "Sorry, can not handle ";
        if (std::strncmp(text, kApology, sizeof kApology - 1) == 0) {
            std::snprintf(context->error, sizeof context->error, "unsupported TIFF: %s",
                          text + sizeof kApology - 1);
            return 1;
        }
        std::snprintf(context->error, sizeof context->error, "%s: %s%s%s", context->prefix,
                      module ? module : "", module ? ": " : "", text);
    }
    return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

}  // namespace

TiffHandle::TiffHandle(std::unique_ptr<TiffStream> stream, TIFF* tiff)
    : stream_(std::move(stream)), tiff_(tiff) {}

TiffHandle::TiffHandle(TiffHandle&& other) noexcept
    : stream_(std::move(other.stream_)), tiff_(other.tiff_) {
    other.tiff_ = nullptr;
}

TiffHandle::~TiffHandle() {
    if (tiff_) {
        TIFFClose(tiff_);
    }
}

TiffHandle TiffHandle::Open(std::unique_ptr<TiffStream> context, const char* mode) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) {
        Fail("out of memory");
    }
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(CodecMemoryLimit()));
    TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, context.get());
    TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, context.get());
    TIFF* tiff = TIFFClientOpenExt("memory", mode, context.get(), ReadProc, WriteProc, SeekProc,
                                   CloseProc, SizeProc, MapProc, UnmapProc, options);
    TIFFOpenOptionsFree(options);
    TiffHandle handle(std::move(context), tiff);
    if (!tiff) {
        handle.FailWith("damaged TIFF: cannot read the directory");
    }
    return handle;
}

TiffHandle TiffHandle::OpenForReading(Bytes file) {
    auto context = std::make_unique<TiffStream>();
    context->in = file;
    return Open(std::move(context), "r");
}

TiffHandle TiffHandle::OpenForWriting(std::vector<uint8_t>& out) {
    auto context = std::make_unique<TiffStream>();
    context->out = &out;
    context->prefix = "cannot write TIFF";
    return Open(std::move(context), "w");
}

const char* TiffHandle::error() const {
    return stream_->error;
}

void TiffHandle::FailWith(const char* fallback) const {
    Fail(stream_->error[0] ? stream_->error : fallback);
}

void TiffHandle::Finish() {
    TIFF* tiff = tiff_;
    tiff_ = nullptr;
    bool flushed = TIFFFlush(tiff) == 1;
    TIFFClose(tiff);
    if (!flushed) {
        FailWith("cannot write the TIFF file");
    }
}

}  // namespace imaging
