// MNG (and JNG) reading over libmng: the first frame, composed onto an RGBA canvas.

#include <cstdlib>
#include <cstring>

// libmng.h pulls in jpeglib.h, which needs FILE and size_t declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <libmng.h>
// clang-format on

#include "bitmap_layout.h"
#include "byte_reader.h"
#include "formats.h"
#include "size_limits.h"

namespace imaging {
namespace {

constexpr uint8_t kMngSignature[8] = {0x8A, 'M', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kJngSignature[8] = {0x8B, 'J', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// libmng's allocator takes no user pointer, so the budget of the decode running on this thread
// is found here; allocations beyond it fail and libmng reports running out of memory.
struct MemoryBudget {
    uint64_t limit;
    uint64_t used = 0;
};
thread_local MemoryBudget* currentBudget = nullptr;

mng_ptr Allocate(mng_size_t length) {
    MemoryBudget* budget = currentBudget;
    if (budget && length > budget->limit - budget->used) {
        return nullptr;
    }
    mng_ptr block = std::calloc(1, length);  // libmng relies on zeroed memory
    if (block && budget) {
        budget->used += length;
    }
    return block;
}

void Release(mng_ptr block, mng_size_t length) {
    if (block && currentBudget) {
        currentBudget->used -= std::min<uint64_t>(length, currentBudget->used);
    }
    std::free(block);
}

// Everything the callbacks share: the input, the canvas and the first failure.
struct MngSession {
    Bytes file;
    size_t position = 0;
    Bitmap canvas = {};  // RGB; alpha in the rgba buffer until the end
    std::vector<uint8_t> rgba = {};
    char error[160] = {};
    bool drawn = false;
};

MngSession& SessionOf(mng_handle handle) {
    return *static_cast<MngSession*>(mng_get_userdata(handle));
}

mng_bool OpenStream(mng_handle) {
    return MNG_TRUE;
}
mng_bool CloseStream(mng_handle) {
    return MNG_TRUE;
}

mng_bool ReadData(mng_handle handle, mng_ptr buffer, mng_uint32 length, mng_uint32p read) {
    MngSession& session = SessionOf(handle);
    size_t count = std::min<size_t>(length, session.file.size() - session.position);
    std::memcpy(buffer, session.file.data() + session.position, count);
    session.position += count;
    *read = static_cast<mng_uint32>(count);
    return MNG_TRUE;
}

mng_bool OnError(mng_handle handle, mng_int32 code, mng_int8, mng_chunkid, mng_uint32, mng_int32,
                 mng_int32, mng_pchar text) {
    MngSession& session = SessionOf(handle);
    if (!session.error[0]) {
        std::snprintf(session.error, sizeof session.error, "damaged MNG: %s (%d)",
                      text ? text : "libmng error", static_cast<int>(code));
    }
    return MNG_FALSE;
}

mng_bool ProcessHeader(mng_handle handle, mng_uint32 width, mng_uint32 height) {
    MngSession& session = SessionOf(handle);
    try {
        CheckImageSize(width, height);
        session.rgba.assign(CheckedMul(CheckedMul(width, height), 4), 0);
        session.canvas = MakeBitmap(width, height, ColorSpace::kRgb, 8);
    } catch (const std::exception& failure) {
        std::snprintf(session.error, sizeof session.error, "%s", failure.what());
        return MNG_FALSE;
    }
    return mng_set_canvasstyle(handle, MNG_CANVAS_RGBA8) == MNG_NOERROR;
}

mng_ptr CanvasLine(mng_handle handle, mng_uint32 line) {
    MngSession& session = SessionOf(handle);
    if (line >= session.canvas.height) {
        return nullptr;
    }
    return session.rgba.data() + size_t{line} * session.canvas.width * 4;
}

mng_bool Refresh(mng_handle handle, mng_uint32, mng_uint32, mng_uint32, mng_uint32) {
    SessionOf(handle).drawn = true;
    return MNG_TRUE;
}

mng_uint32 TickCount(mng_handle) {
    return 0;
}
mng_bool SetTimer(mng_handle, mng_uint32) {
    return MNG_TRUE;
}

void InstallCallbacks(mng_handle handle) {
    mng_setcb_openstream(handle, OpenStream);
    mng_setcb_closestream(handle, CloseStream);
    mng_setcb_readdata(handle, ReadData);
    mng_setcb_errorproc(handle, OnError);
    mng_setcb_processheader(handle, ProcessHeader);
    mng_setcb_getcanvasline(handle, CanvasLine);
    mng_setcb_refresh(handle, Refresh);
    mng_setcb_gettickcount(handle, TickCount);
    mng_setcb_settimer(handle, SetTimer);
}

// Splits the RGBA canvas into the RGB samples and the alpha plane.
Bitmap FinishCanvas(MngSession& session) {
    Bitmap bitmap = std::move(session.canvas);
    AddOpaqueAlpha(bitmap);
    size_t pixels = bitmap.alpha.size();
    for (size_t i = 0; i < pixels; ++i) {
        std::memcpy(&bitmap.samples[3 * i], &session.rgba[4 * i], 3);
        bitmap.alpha[i] = session.rgba[4 * i + 3];
    }
    DropOpaqueAlpha(bitmap);
    return bitmap;
}

// Runs libmng until the first frame is shown; the handle and the budget end with the call.
void DisplayFirstFrame(MngSession& session) {
    MemoryBudget budget{CodecMemoryLimit()};
    currentBudget = &budget;
    mng_handle handle = mng_initialize(&session, Allocate, Release, nullptr);
    mng_retcode result = MNG_OUTOFMEMORY;
    if (handle) {
        InstallCallbacks(handle);
        result = mng_readdisplay(handle);
        mng_cleanup(&handle);
    }
    currentBudget = nullptr;
    if ((result != MNG_NOERROR && result != MNG_NEEDTIMERWAIT) || !session.drawn) {
        Fail(session.error[0]            ? session.error
             : result == MNG_OUTOFMEMORY ? "MNG needs more memory than allowed"
                                         : "damaged MNG: no frame");
    }
}

}  // namespace

bool LooksLikeMng(Bytes file) {
    return file.size() >= 8 && (std::memcmp(file.data(), kMngSignature, 8) == 0 ||
                                std::memcmp(file.data(), kJngSignature, 8) == 0);
}

ImageInfo InspectMng(Bytes file) {
    ByteReader in(file, "truncated MNG data");
    ImageInfo info;
    info.format = kFormatMng;
    info.width = in.Be32(16);  // MHDR or JHDR: frame width, then height
    info.height = in.Be32(20);
    CheckImageSize(info.width, info.height);
    return info;
}

Decoded ReadMng(Bytes file) {
    MngSession session{file};
    DisplayFirstFrame(session);
    return {FinishCanvas(session), {}};
}

}  // namespace imaging
