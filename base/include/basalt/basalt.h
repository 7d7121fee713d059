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
