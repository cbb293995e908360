/*
 * resource_directory.h - a module's bitmaps and WAVE files on Linux.
 *
 * On Windows a module carries its pictures and sounds in its resource section. The
 * Linux build exports this directory instead, as `ResourceDirectory`, which the host
 * and the module's own sound layer find with dlsym on the module's handle. Each
 * entry holds the bytes of one file: a BMP file (with its file header) for a bitmap,
 * a RIFF "WAVE" file for a sound. Plain C (C11), compiles as C++20.
 */
#ifndef RESOURCE_DIRECTORY_H
#define RESOURCE_DIRECTORY_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define RESOURCE_TYPE_BITMAP 2u        /* the Windows resource type number of bitmaps */
#define RESOURCE_TYPE_WAVE 0x57415645u /* resources of the named type "WAVE" */

typedef struct ResourceEntry {
    uint32_t type;              /* RESOURCE_TYPE_* */
    uint32_t number;            /* resource number */
    const unsigned char* begin; /* first byte of the file */
    const unsigned char* end;   /* one past its last byte */
} ResourceEntry;

/* The exported `ResourceDirectory` record. */
typedef struct ResourceIndex {
    uint32_t count;               /* number of entries */
    const ResourceEntry* entries; /* bitmaps by number, then WAVE files by number */
} ResourceIndex;

#define RESOURCE_DIRECTORY_SYMBOL "ResourceDirectory"

#ifdef __cplusplus
}
#endif

#endif /* RESOURCE_DIRECTORY_H */
