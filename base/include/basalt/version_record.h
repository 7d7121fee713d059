#pragma once

/*
 * The version record an executable carries so that the libraries it loads can learn its
 * identity: name, version, company and the rest. An executable gets one from the build
 * (folioforge_version_record() in cmake/VersionRecord.cmake), which defines the object below and
 * exports it from the executable's dynamic symbol table. libbasalt looks it up at run time; a
 * host without one has empty version strings.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Indexes of the version strings, in the order the record stores them. */
enum FolioforgeVersionString {
    FOLIOFORGE_VS_COMMENTS,
    FOLIOFORGE_VS_COMPANY_NAME,
    FOLIOFORGE_VS_FILE_DESCRIPTION,
    FOLIOFORGE_VS_FILE_VERSION,
    FOLIOFORGE_VS_INTERNAL_NAME,
    FOLIOFORGE_VS_LEGAL_COPYRIGHT,
    FOLIOFORGE_VS_LEGAL_TRADEMARKS,
    FOLIOFORGE_VS_ORIGINAL_FILENAME,
    FOLIOFORGE_VS_PRODUCT_NAME,
    FOLIOFORGE_VS_PRODUCT_VERSION,
    FOLIOFORGE_VS_PRIVATE_BUILD,
    FOLIOFORGE_VS_SPECIAL_BUILD,
    FOLIOFORGE_VS_COUNT
};

#define FOLIOFORGE_VERSION_RECORD_SYMBOL "folioforge_version_record"

typedef struct FolioforgeVersionRecord {
    /* sizeof(FolioforgeVersionRecord) of the build that wrote it; a reader ignores a record
     * whose size differs from its own. */
    uint32_t recordSize;
    /* The numeric file version: major, minor, patch, build. */
    uint16_t fileVersion[4];
    /* UTF-8 strings by FolioforgeVersionString; null or empty when the executable has none. */
    const char* strings[FOLIOFORGE_VS_COUNT];
} FolioforgeVersionRecord;

#ifdef __cplusplus
}
#endif
