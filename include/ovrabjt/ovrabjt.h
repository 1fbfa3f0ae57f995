/* ovrabjt - translates a printer job ticket between its binary record and its
 * XML document, and reads printer capabilities and media preferences.
 *
 * This is the interface that a printer driver includes; it is usable from C
 * (C99 or later) and from C++ (C++11 or later: the C++ part, the output
 * class below, uses `= default` and `override`). Every function returns a
 * one-byte boolean (1 success, 0 failure) or a pointer that is null on
 * failure, and never lets an exception out. The module keeps no state
 * between calls and gives no reason for a failure.
 *
 * The document type. Ovra documents are always validated against the
 * document type (DTD) they declare, a file name relative to the document:
 * the documents this build writes declare OVRABJT_DOCUMENT_TYPE, and LoadOvra
 * checks a document against the one it names. The XML library looks for it
 * in the folder of the base name that LoadOvra, SaveOvra and
 * ConvertBJTToOvraStream take: pass a path in a folder that holds the DTD
 * (the file itself need not exist). When that folder holds no DTD, the call
 * fails. An install puts the DTDs of every release in one folder, given by
 * `pkg-config --variable=datadir ovrabjt` and, after find_package(ovrabjt),
 * by ovrabjt_DTD_DIR.
 *
 * Packed tickets. A packed ticket is one complete block: the fixed record of
 * OVRABJT_TICKET_SIZE (34368) bytes followed by S bytes of strings, each
 * NUL-terminated, one for each text the record's string table holds. The
 * functions take no length and read the whole block, so a block that ends
 * early is read past its end.
 *
 * Threads: the functions may be called from several threads at once, each
 * call working on its own objects. An attribute list is used by one thread
 * at a time (its queries move a lookup cursor inside it), and no call may be
 * running while the library is unloaded.
 *
 * Ownership:
 *   - Attribute lists returned by GetPrinterCapInfofromBuffer,
 *     GetMediaPreferenceInfofromFile and CreateEmptyMPSContents belong to the
 *     caller, who releases them with ReleaseOvraBjtANL (or hands them to
 *     SaveMPSContentstoFile, which releases them when it fails).
 *   - The packed ticket block of LoadOvra belongs to the module until the
 *     second call copies it out and releases it.
 *   - Output objects and input buffers are borrowed, never kept or freed. */
#ifndef OVRABJT_OVRABJT_H
#define OVRABJT_OVRABJT_H

#include <ovrabjt/ovrabjt_version.h>
#include <stddef.h>
#include <stdint.h>

#if !defined(__cplusplus)
#if defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#include <uchar.h>
#else
typedef uint_least16_t char16_t;
#endif
#endif

/* On Windows the DLL's module-definition file names the exports. */
#if defined(OVRABJT_BUILDING) && !defined(_WIN32)
#define OVRABJT_API __attribute__((visibility("default")))
#else
#define OVRABJT_API
#endif

/* One-byte boolean of the interface: 1 true, 0 false. */
typedef uint8_t OvraBool;

/* The size of a packed ticket's fixed record, before its strings. */
#define OVRABJT_TICKET_SIZE 34368

/* The media reference of a ticket that names no medium. A reference names a
 * slot of the ticket's media table: slot 0 is 0, slot k is 1 << (k - 1). */
#define OVRABJT_NO_MEDIUM 0x80000u

/* The capabilities GetSpecificKespInfo answers, each named after its
 * attribute without "-supported". Releases before "3.6.09" know 1 to 15. */
enum OvraCapabilitySelector {
  OVRABJT_CAP_TRC = 1,                             /* "trc-supported" */
  OVRABJT_CAP_COLOR_DESTINATION_PROFILE_FRONT = 2, /* "...-front-supported" */
  OVRABJT_CAP_COLOR_DESTINATION_PROFILE_BACK = 3,  /* "...-back-supported" */
  OVRABJT_CAP_UNDEFINED_SOURCE_RGB_IMAGES = 4,
  OVRABJT_CAP_UNDEFINED_SOURCE_RGB_GRAPHICS = 5,
  OVRABJT_CAP_UNDEFINED_SOURCE_RGB_TEXT = 6,
  OVRABJT_CAP_UNDEFINED_SOURCE_CMYK_IMAGES = 7,
  OVRABJT_CAP_UNDEFINED_SOURCE_CMYK_GRAPHICS = 8,
  OVRABJT_CAP_UNDEFINED_SOURCE_CMYK_TEXT = 9,
  OVRABJT_CAP_UNDEFINED_SOURCE_CMY_IMAGES = 10,
  OVRABJT_CAP_UNDEFINED_SOURCE_CMY_GRAPHICS = 11,
  OVRABJT_CAP_UNDEFINED_SOURCE_CMY_TEXT = 12,
  OVRABJT_CAP_UNDEFINED_SOURCE_GRAY_IMAGES = 13,
  OVRABJT_CAP_UNDEFINED_SOURCE_GRAY_GRAPHICS = 14,
  OVRABJT_CAP_UNDEFINED_SOURCE_GRAY_TEXT = 15,
  OVRABJT_CAP_HALFTONE_GRAPHICS = 16, /* "halftone-graphics-supported" */
  OVRABJT_CAP_FINISHING_TEMPLATE = 17 /* "finishing-template-supported" */
};

/* The stock lists of a media-preferences document, named after their
 * attributes. */
enum OvraStockList {
  OVRABJT_STOCKS_MEDIA_COL_DATABASE = 1,           /* "media-col-database" */
  OVRABJT_STOCKS_MEDIA_USER_DEFINED = 2,           /* "media-user-defined" */
  OVRABJT_STOCKS_MEDIA_FAVORITES_USER_DEFINED = 3, /* "media-favorites-user-defined" */
  OVRABJT_STOCKS_MEDIA_FAVORITES_PRINTER = 4       /* "media-favorites-printer" */
};

/* A medium of the ticket's media table and of the media-preference stocks:
 * 350 bytes, little-endian, no padding. Texts are NUL-terminated
 * single-byte (Windows-1252) strings. */
#pragma pack(push, 1)
typedef struct MediaRecord {
  uint32_t sizeCode;     /*   0: 1..0x10000 a standard size, 256 custom, 512 none */
  uint8_t reserved4[2];  /*   4 */
  int16_t grain;         /*   6: 1 y-grain, 2 x-grain, 4 not given */
  int16_t tooth;         /*   8: 1 fine, 2 medium, 4 coarse, 8 not given */
  int16_t frontCoating;  /*  10: 2 none .. 64 satin, 1 not given */
  int16_t backCoating;   /*  12 */
  int16_t color;         /*  14: 64 named (colorName), 128 not given */
  int16_t type;          /*  16: 16 named (typeName), 32 not given, 128 pre-printed */
  uint16_t shortEdge;    /*  18: millimetres */
  uint16_t longEdge;     /*  20: millimetres */
  uint16_t weight;       /*  22: grams per square metre, when flags bit 0 is clear */
  uint8_t reserved24;    /*  24 */
  uint8_t flags;         /*  25: 1 weight, 2 short edge, 4 long edge not given */
  uint8_t reserved26;    /*  26 */
  uint8_t typeCountSet;  /*  27: 1 when typeCount is given */
  uint8_t typeCount;     /*  28: order count of a named type */
  uint8_t tabCount;      /*  29: order count of tab stock */
  uint8_t reserved30;    /*  30 */
  uint8_t holeCode;      /*  31: 1 no holes, 2 three holes, 4 not given */
  char description[256]; /*  32 */
  char colorName[31];    /* 288 */
  char typeName[31];     /* 319 */
} MediaRecord;
#pragma pack(pop)

#ifdef __cplusplus

namespace ovrabjt {
class AttrNodeList;
}
/* An attribute list: opaque to callers. */
typedef ovrabjt::AttrNodeList AttrNodeList;

/* XmlOutputCallback - where the module hands the XML text it writes. The
 * caller implements it and keeps ownership: the module neither copies nor
 * releases it, hence no virtual destructor.
 *   Write  - take `count` bytes of UTF-8 text; return 0 when the output
 *            failed, which stops the writing.
 *   Indent - whether line breaks and tab indentation are wanted around
 *            elements; 1 unless overridden. */
class XmlOutputCallback {
 public:
  virtual OvraBool Write(const char* bytes, uint32_t count) = 0;
  virtual OvraBool Indent() { return 1; }

 protected:
  XmlOutputCallback() = default;
  XmlOutputCallback(const XmlOutputCallback&) = default;
  XmlOutputCallback& operator=(const XmlOutputCallback&) = default;
  ~XmlOutputCallback() = default;
};

extern "C" {

#else

typedef struct AttrNodeList AttrNodeList;

/* From C, an output object is a struct whose first member points to a table
 * of the two operations, in this order; each receives the object itself
 * first. This is the layout that the common compilers give the C++ class
 * (GCC and Clang on x86-64 Linux, MSVC on x86-64 Windows: a pointer to the
 * table of virtual functions first, the functions in the order declared, the
 * object passed as the first argument); other compilers and 32-bit x86
 * Windows differ. */
typedef struct XmlOutputCallback XmlOutputCallback;
typedef struct XmlOutputCallbackOps {
  OvraBool (*Write)(XmlOutputCallback* self, const char* bytes, uint32_t count);
  OvraBool (*Indent)(XmlOutputCallback* self);
} XmlOutputCallbackOps;
struct XmlOutputCallback {
  const XmlOutputCallbackOps* ops;
};

#endif

/* LoadOvra - reads the ovra document `fileName` into a packed ticket, in two
 * calls. First with `destination` null: the packed ticket is made, and its
 * address and size are stored in *block and *blockSize. Then with a
 * destination of *blockSize bytes: the ticket is copied there and the block
 * released. `baseName` is the system identifier of the document: a path in
 * the folder that holds the DTD the document declares (see "The document
 * type" above); it must not be null or empty, and without the DTD in its
 * folder the call fails. On failure the result is 0 and *block and
 * *blockSize are untouched. */
OVRABJT_API OvraBool LoadOvra(const char* fileName, const char* baseName, void* destination,
                              void** block, uint32_t* blockSize);

/* SaveOvra - writes the packed ticket (a complete block) as the ovra
 * document `fileName`. `baseName` is a path in the folder that holds
 * OVRABJT_DOCUMENT_TYPE (see "The document type" above); without the DTD in
 * its folder the call fails. An existing file is replaced only when the
 * whole document is written. */
OVRABJT_API OvraBool SaveOvra(const char* fileName, const char* baseName, const void* packedTicket);

/* ConvertBJTToOvraStream - hands the ovra text of the packed ticket (a
 * complete block) to `output`, in order. `baseName` is UTF-16, must not be
 * null or empty, and is a path in the folder that holds
 * OVRABJT_DOCUMENT_TYPE (see "The document type" above); without the DTD in
 * its folder the call fails before any text is written. On other failures
 * some text may already have been written. */
OVRABJT_API OvraBool ConvertBJTToOvraStream(const char16_t* baseName, const void* packedTicket,
                                            XmlOutputCallback* output);

/* ReleaseOvraBjtANL - releases an attribute list that this module handed
 * out, with everything in it. Does nothing for null. */
OVRABJT_API void ReleaseOvraBjtANL(AttrNodeList* list);

/* GetPrinterCapInfofromBuffer - parses the capabilities document of
 * `length` bytes into a new attribute list, or null. */
OVRABJT_API AttrNodeList* GetPrinterCapInfofromBuffer(const char* buffer, int32_t length);

/* GetSpecificKespInfo - copies the values of one capability into slots of
 * `slotWidth` bytes, each a NUL-terminated text of at most slotWidth - 1
 * characters, and stores the bytes needed in *sizeOut. Call once with a null
 * destination to learn the size, then with a destination of that size.
 * Selectors: OvraCapabilitySelector, 1 to 17. 0 for an unknown selector, a
 * slot width below 1 or a null list or size. */
OVRABJT_API OvraBool GetSpecificKespInfo(AttrNodeList* list, int32_t selector, int32_t slotWidth,
                                         char* destination, int32_t* sizeOut);

/* GetMediaPreferenceInfofromFile - reads the media-preferences document
 * `fileName` into a new attribute list, or null. */
OVRABJT_API AttrNodeList* GetMediaPreferenceInfofromFile(const char* fileName);

/* PopulateStockFromAttrList - fills *record from stock *index (from 1) of a
 * stock list (OvraStockList, 1 to 4). Call with
 * index 1, 2, 3 ... until the index comes back 0 (the end of the list, or a
 * document without that list). Index 0 and an unknown list kind give 0. */
OVRABJT_API OvraBool PopulateStockFromAttrList(AttrNodeList* list, int32_t listKind,
                                               uint16_t* index, MediaRecord* record);

/* AddStockToMPSContents - appends the medium as a new stock of a stock list;
 * 0 when the document has no such list. */
OVRABJT_API OvraBool AddStockToMPSContents(AttrNodeList* list, int32_t listKind,
                                           const MediaRecord* record);

/* CreateEmptyMPSContents - a new media-preferences body with empty
 * "media-user-defined", "media-favorites-user-defined" and
 * "media-favorites-printer" lists, which take stocks. Saved as they are, the
 * empty lists are written as elements without content, which are read back
 * as no list at all: add a stock to a list before saving it. */
OVRABJT_API AttrNodeList* CreateEmptyMPSContents(void);

/* SaveMPSContentstoFile - writes the list as the media-preferences document
 * `fileName`. The list stays the caller's on success; ON FAILURE THE LIST IS
 * RELEASED, and the caller must neither use nor release it again. An
 * existing file is replaced only when the whole document is written. */
OVRABJT_API OvraBool SaveMPSContentstoFile(AttrNodeList* list, const char* fileName);

#ifdef __cplusplus
}
#endif

#endif /* OVRABJT_OVRABJT_H */
