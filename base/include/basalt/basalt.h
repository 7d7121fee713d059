#pragma once

/*
 * libbasalt: the base services of Folioforge behind a flat C interface.
 *
 * Strings are NUL-terminated wchar_t text unless a function says bytes; integers are 32-bit.
 * Results follow one rule: 1 for success or "yes", 0 for failure or "no". No C++ exception ever
 * leaves these functions: an internal failure gives the failure result (0 or null).
 *
 * Ownership: every string the library returns belongs to it and stays valid for the span the
 * function names; the caller copies what it keeps. Buffers the library allocates for a caller go
 * back through Base64ReleaseBuffer or ReleaseLanguageList, never through free().
 *
 * Threads: call from the thread that owns the user interface, except where a function says it
 * is safe from any thread (the dictionary look-ups and the usage records).
 */

#include <stdint.h>
#include <wchar.h>

#include "basalt/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Root handle of the settings store (HKEY_CURRENT_USER and its siblings). */
typedef struct HKEY__* HKEY;
/* Handle of a top-level window. */
typedef struct HWND__* HWND;
/* A length-prefixed wide string: the 32-bit byte length sits just before the characters. */
typedef wchar_t* BSTR;

/* The roots of the settings store, for InitBasalt. */
#ifdef __cplusplus
inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(uintptr_t{0x80000000u});
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t{0x80000001u});
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t{0x80000002u});
#else
#define HKEY_CLASSES_ROOT ((HKEY)(uintptr_t)0x80000000u)
#define HKEY_CURRENT_USER ((HKEY)(uintptr_t)0x80000001u)
#define HKEY_LOCAL_MACHINE ((HKEY)(uintptr_t)0x80000002u)
#endif

/* ---- Initialisation ---------------------------------------------------------------------- */

/*
 * Sets where settings live and loads everything the library keeps: when root is not null it
 * replaces the root (default HKEY_CURRENT_USER) and subkey replaces the settings key (default
 * "Software\Velkor"); when root is null both stay. appName (may be null: the executable's file
 * name without extension) is only stored. Loads the language tables, the host executable's
 * version strings and the network switch. May be called again; each call repeats every step.
 * Returns 1.
 */
BASALT_API int InitBasalt(HKEY root, const wchar_t* subkey, const wchar_t* appName);

/* ---- Language texts ---------------------------------------------------------------------- */

/*
 * The text of a six-digit text id in the current language, falling back to English, with "%s3",
 * "%s2" and "%s" replaced by the substitution strings that are not null. Null when neither
 * language has a non-empty text (also before InitBasalt). The result stays valid until the
 * same language table has answered 100 further look-ups.
 */
BASALT_API const wchar_t* GetTextByID(const wchar_t* id, const wchar_t* s1, const wchar_t* s2,
                                      const wchar_t* s3);

/*
 * The descriptions of the installed languages, the current one first and the rest in ascending
 * order, as a null-terminated array of BSTRs. Null when the language folder holds no file.
 * count (may be null) receives the number of entries. Give the array back with
 * ReleaseLanguageList.
 */
BASALT_API BSTR* GetLanguageList(int* count);

/* Frees an array from GetLanguageList and its strings. Null is accepted. */
BASALT_API void ReleaseLanguageList(BSTR* list);

/* The description of the current language; empty before InitBasalt. Valid until the current
 * language is next loaded (ChangeCurrentLanguage, ReloadLanguage, InitBasalt). */
BASALT_API const wchar_t* GetCurrentLanguage(void);

/* Switches to the language with exactly this description and remembers it in the settings.
 * 1 when switched; 0 when no language has that description or the setting cannot be written. */
BASALT_API int ChangeCurrentLanguage(const wchar_t* description);

/* Reloads the current language from the file the settings name. Returns 1. */
BASALT_API int ReloadLanguage(void);

/* ---- Dictionary and server --------------------------------------------------------------- */

/*
 * The dictionary value of a key (letter case of ASCII letters ignored), or null. The result
 * stays valid until that key is stored again. Safe from any thread.
 */
BASALT_API const wchar_t* GetIniString(const wchar_t* key);

/*
 * Posts the program's identity to url (null: the record server's "/ini.php") and merges the
 * reply into the dictionary. Does nothing when network use is switched off. Blocks for at most
 * the HTTP time-out. Returns 0.
 */
BASALT_API int DownloadIni(const wchar_t* url);

/* Downloads url (http or https) into "update.ini" in the current folder, replacing it whole.
 * 1 on success; 0 on failure, when the file is left unchanged. Ignores the network switch. */
BASALT_API int DownloadIniEx(const wchar_t* url);

/* 1 when network use is switched off (setting CheckSkip, or the server's Internet entry other
 * than "true"), else 0. */
BASALT_API int IsSkipURL(void);

/* ---- Update check ------------------------------------------------------------------------ */

/*
 * Refreshes the dictionary from the server, then, unless onceADay is set and today's check is
 * already recorded, stamps today's date and compares the server's NewVersion with the running
 * FileVersion (digit runs by value). When the server's is newer and ask is set, asks the user
 * (caption as the box's title) whether to open UpdateURL; only http and https URLs are opened.
 * The box is parented to the application's active window; owner is accepted for the interface's
 * sake and not read. Without a graphical application the question is answered No. 1 when a
 * newer version exists, else 0. Blocks for the download and the question. Callable from a worker
 * thread: the question is shown on the user-interface thread.
 */
BASALT_API int CheckForUpdate(const wchar_t* caption, int onceADay, int ask, HWND owner);

/* 1 when no update check is recorded for today, 0 when one is. */
BASALT_API int IsCheckForUpdateIntoday(void);

/* Records today's date as the day of the last update check; 1 on success, 0 when the settings
 * cannot be written. */
BASALT_API int SetCheckForUpdateIntoday(void);

/* ---- Usage records ----------------------------------------------------------------------- */

/* Counts one event (id, info); a null info counts as the empty text. Safe from any thread.
 * Returns 1. */
BASALT_API int Record(int id, const wchar_t* info);

/* As Record, with the info formatted printf-style (%s takes a wide string, %d an int). A null
 * format counts as the empty text. Returns 1. */
BASALT_API int RecordF(int id, const wchar_t* format, ...);

/* Posts every count so far to url (null: the record server's "/record.php"). 1 when the server
 * accepted it (status 2xx); 0 on failure or when network use is switched off. Counts are kept
 * either way. Meant for the moment the program closes: it blocks for at most 3 seconds in all,
 * however slow or silent the server. */
BASALT_API int SubmitRecord(const wchar_t* url);

/* ---- Web window -------------------------------------------------------------------------- */

/* Styles for OpenWebWnd: a stand-alone page with the window manager's caption (the host's
 * WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME), a panel inside its parent (WS_CHILD |
 * WS_BORDER) and a pop-up with a thin border (WS_POPUP | WS_BORDER). Adding WEBWND_VISIBLE
 * (WS_VISIBLE) shows the window at once. */
#define WEBWND_STANDALONE 0x80C80080u
#define WEBWND_PANEL 0x40800000u
#define WEBWND_POPUP 0x80800000u
#define WEBWND_VISIBLE 0x10000000u

/* The codes of a web window's notification. */
enum {
    WEBWND_DOCUMENT_COMPLETE = 0, /* the requested page has loaded */
    WEBWND_CLOSE = 1,             /* the element with id "close" was clicked */
    WEBWND_CLOSE_OK = 2,          /* the element with id "close_ok" was clicked */
    WEBWND_NEW_WINDOW = 3,        /* the page asks for a new window */
    WEBWND_NAVIGATE_ERROR = 4     /* the page could not be loaded */
};

/* Flags of a new-window request (detail.newWindow.flags). */
enum {
    WEBWND_NEWWINDOW_USER_INITIATED = 0x00000002, /* the user's click or key asked for it */
    WEBWND_NEWWINDOW_DIALOG = 0x00000020,         /* a dialog-like window was asked for */
    WEBWND_NEWWINDOW_WINDOW = 0x00010000,         /* a window was asked for */
    WEBWND_NEWWINDOW_TAB = 0x00080000,            /* a tab was asked for */
    WEBWND_NEWWINDOW_BACKGROUND = 0x00100000      /* a tab in the background was asked for */
};

/*
 * A web window's notification, passed by address in wParam (lParam 0) of a synchronous
 * SendMessage to the parent. It lives only for the duration of that send: read it in the
 * handler and keep nothing (copy the strings you need). Cancel flags are 16-bit booleans: set
 * one to -1 (any non-zero value) to cancel.
 */
typedef struct WebWndNotification {
    int32_t code; /* WEBWND_* */
    HWND window;  /* the web window */
    union {
        /* WEBWND_DOCUMENT_COMPLETE: the address of the loaded page, as the browser reports it. */
        const wchar_t* completedUrl;
        /* WEBWND_NEW_WINDOW. Unless cancelled, an http or https address is handed to the
         * desktop's web browser; any other address is ignored. */
        struct {
            int16_t* cancel; /* preset to 0 */
            uint32_t flags;  /* WEBWND_NEWWINDOW_* */
            BSTR context;    /* the address of the page that asks */
            BSTR url;        /* the address to open */
        } newWindow;
        /* WEBWND_NAVIGATE_ERROR. Cancelling replaces the browser's error page with an empty
         * page. */
        struct {
            int16_t* cancel; /* preset to 0 */
            BSTR url;        /* the address that failed */
            BSTR frame;      /* the target frame's name; empty for the window's own page */
            int32_t status;  /* the HTTP status (404), or a negative network error number */
        } error;
        /* WEBWND_CLOSE and WEBWND_CLOSE_OK carry nothing more. */
    } detail;
} WebWndNotification;

/*
 * Opens url in a web window of the window layer (the one in libtrellis) and returns its handle;
 * null when network use is switched off (IsSkipURL), url is null, parent is not null and not a
 * window, a child style has no parent, there is no graphical application, or the browser is
 * unavailable (a build without Qt WebEngine, a machine without it, or an application created
 * without Qt::AA_ShareOpenGLContexts; see below).
 *
 * style: WEBWND_STANDALONE, WEBWND_PANEL or WEBWND_POPUP (other host styles are read by their
 * WS_CHILD, WS_CAPTION, WS_BORDER and WS_VISIBLE bits). A panel is a child window inside
 * parent; the other two are top-level windows owned by parent when it is given. The window
 * starts at 10,10 and 200 x 200 dialog units. It shows at once when it has no parent or the
 * style has WEBWND_VISIBLE; otherwise it stays hidden until the owner shows it (ShowWindow). The
 * caption starts as "Dialog" and follows the page's title.
 *
 * Notifications: when parent and message are both non-zero, the window sends message to
 * parent with a WebWndNotification as the page loads, fails, asks for a new window, or has its
 * "close" or "close_ok" element clicked. After those two clicks the window destroys itself.
 *
 * Lifetime: the window lives until it is destroyed with DestroyWindow, by a click on "close" or
 * "close_ok", or together with its parent (destroying the parent destroys every web window it
 * holds or owns). The library frees the window object itself. Web windows still open when the
 * application object goes are destroyed before it.
 *
 * Requirements: the program creates its QApplication with Qt::AA_ShareOpenGLContexts set
 * beforehand (QCoreApplication::setAttribute); without it OpenWebWnd returns null. When the
 * process runs as root and QTWEBENGINE_DISABLE_SANDBOX is not set, the first call sets it to 1
 * (Chromium refuses to run sandboxed as root) and says so once on stderr.
 *
 * Threads: windows live on the application's thread. Called from another thread, OpenWebWnd
 * has the window created there and waits for it; the application's thread must then not be
 * waiting for the caller. Pages load in the browser's own processes: a slow or silent server
 * never blocks the caller. Notifications arrive on the application's thread; the handler may
 * destroy the web window but must not wait for another thread that waits for the application.
 */
BASALT_API HWND OpenWebWnd(const wchar_t* url, HWND parent, uint32_t style, unsigned int message);

/* ---- Base64 ------------------------------------------------------------------------------ */

/* The standard Base64 text of count bytes, NUL-terminated; outLength (may be null) receives its
 * length. Null (and length 0) when bytes is null or count is not positive, or when memory runs
 * out. Free with Base64ReleaseBuffer. */
BASALT_API char* Base64Encode(const unsigned char* bytes, int count, int* outLength);

/* Decodes count bytes of Base64 text leniently (bytes outside the alphabet are skipped, a
 * trailing partial group dropped) into a zero-filled buffer of count - count/4 + 1 bytes;
 * outLength (may be null) receives the number of decoded bytes. Null only for a null text with
 * a positive count, a negative count, or when memory runs out. Free with Base64ReleaseBuffer. */
BASALT_API unsigned char* Base64Decode(const char* text, int count, int* outLength);

/* Frees a buffer from Base64Encode or Base64Decode. Null is accepted. Returns 1. */
BASALT_API int Base64ReleaseBuffer(void* buffer);

#ifdef __cplusplus
}
#endif
