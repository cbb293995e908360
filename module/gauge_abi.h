/*
 * gauge_abi.h - the binary interface between a gauge module and its host.
 *
 * Plain C (C11) that also compiles as C++20. A gauge module publishes its gauges
 * through two exported records, `Linkage` and `ImportTable`; everything else is
 * reached from them: gauge headers, element chains, failure lists, mouse areas,
 * needle tables and the callbacks the host calls.
 *
 * Layout. In 32-bit builds every record is a sequence of 32-bit little-endian words,
 * a double taking two words (low word first) at a 4-byte boundary; the word index of
 * every field is written beside it and checked at compile time at the end of this
 * file. 64-bit builds keep the same fields in the same order with pointer-sized
 * pointers and natural alignment; the 32-bit layout is the reference format.
 *
 * Ownership. "module" marks a word the module fills in its static data; "host" marks
 * a word the host fills at run time. Words named reserved_* are zero in the module's
 * data and left to the host.
 */
#ifndef GAUGE_ABI_H
#define GAUGE_ABI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Every host-facing function uses this calling convention: the callee cleans the
 * stack on 32-bit Windows, as the real host expects; elsewhere the platform default. */
#if defined(_WIN32) && !defined(_WIN64)
#define GAUGE_CALL __stdcall
#else
#define GAUGE_CALL
#endif

/* 32-bit targets place doubles at 4-byte boundaries inside records (the Windows
 * compiler would align them to 8 otherwise). */
#if UINTPTR_MAX == 0xFFFFFFFFu
#define GAUGE_ABI_32BIT 1
#pragma pack(push, 4)
#else
#define GAUGE_ABI_32BIT 0
#endif

/* ---------------------------------------------------------------------------------
 * Constants
 * ------------------------------------------------------------------------------- */

/* Linkage and import table */
#define GAUGE_MODULE_ID 0x13u             /* Linkage word 0 */
#define GAUGE_LINKAGE_VERSION 0x900u      /* Linkage word 5, current interface */
#define GAUGE_LINKAGE_VERSION_OLD 0x0u    /* Linkage word 5, older interface */
#define GAUGE_IMPORT_PANEL_SERVICES 0x0Fu /* ImportTable entry: the panel services */

/* Gauge header versions */
#define GAUGE_HEADER_VERSION 0x320u     /* header with a gauge callback */
#define GAUGE_HEADER_VERSION_OLD 0x262u /* older header with seven routines */

/* Element kinds (ElementRecord.kind) */
#define ELEMENT_STATIC_IMAGE 0u
#define ELEMENT_NEEDLE 1u
#define ELEMENT_STRING 2u
#define ELEMENT_SLIDER 3u
#define ELEMENT_ICON 4u
#define ELEMENT_MOVING_IMAGE 5u
#define ELEMENT_SPRITE 6u
#define ELEMENT_KIND_COUNT 7u

/* Record lengths in 32-bit words, per element kind */
#define STATIC_IMAGE_RECORD_WORDS 24u
#define NEEDLE_RECORD_WORDS 59u
#define STRING_RECORD_WORDS 81u
#define SLIDER_RECORD_WORDS 48u
#define ICON_RECORD_WORDS 35u
#define MOVING_IMAGE_RECORD_WORDS 67u
#define SPRITE_RECORD_WORDS 88u

/* Record lengths in 32-bit words, older interface (header version 0x262) */
#define GAUGE_HEADER_OLD_WORDS 22u
#define STATIC_IMAGE_RECORD_OLD_WORDS 20u
#define NEEDLE_RECORD_OLD_WORDS 56u

/* ElementRecord.resource_id of an element without a bitmap (strings) */
#define RESOURCE_NONE 0xFFFFFFFFu

/* ElementRecord.image_flags bits. The host draws every element unless the hidden
 * bit is set; the other bits are drawing hints the module passes on. */
#define IMAGE_FLAG_USE_TRANSPARENCY 0x00000001u
#define IMAGE_FLAG_USE_ERASE 0x00000002u
#define IMAGE_FLAG_NO_STATIC_BLEND 0x00000004u
#define IMAGE_FLAG_USE_LUMINOUS 0x00004000u
#define IMAGE_FLAG_BILINEAR 0x00000080u
#define IMAGE_FLAG_HIDDEN 0x40000000u

/* Element special flags (ElementRecord.special_flags) */
#define ELEMENT_SPECIAL_KNOB 0x2u

/* String elements */
#define TEXT_FORMAT_CENTRED_LINE 0x25u /* one line, centred both ways */
#define FONT_FACE_BYTES 32u

/* Icon value callbacks return this to hide the icon */
#define ICON_HIDDEN (-1)

/* Failure actions (FailureEntry.action), applied while the failure key is active */
#define FAILURE_ACTION_NONE 0u   /* nothing */
#define FAILURE_ACTION_FREEZE 1u /* keep the last value */
#define FAILURE_ACTION_ZERO 2u   /* value taken as 0 */
#define FAILURE_ACTION_HIDE 3u   /* element not drawn */

/* MouseArea.kind */
#define MOUSE_END 0u        /* end of the list */
#define MOUSE_BEGIN 1u      /* begins an area; later records belong to it */
#define MOUSE_CHILD 2u      /* clickable area inside the area begun last */
#define MOUSE_PARENT_END 3u /* ends the area begun last */
#define MOUSE_TOOLTIP 4u    /* tooltip of the area begun last */

/* MouseArea.cursor */
#define CURSOR_NONE (-1)
#define CURSOR_UPARROW 1
#define CURSOR_DOWNARROW 2
#define CURSOR_LEFTARROW 3
#define CURSOR_RIGHTARROW 4
#define CURSOR_HAND 5

/* MouseArea.mouse_flags and the flags passed to mouse callbacks */
#define MOUSE_LEFT_BUTTON 0x20000000u
#define MOUSE_RIGHT_BUTTON 0x80000000u
#define MOUSE_REPEAT 0x00200000u

/* Gauge callback service numbers */
#define SERVICE_INSTALL 2u
#define SERVICE_UPDATE 6u
#define SERVICE_KILL 12u

/* Panel-service table slots (word index in PanelServiceTable) */
#define SLOT_ELEMENT_LIST_QUERY 24u
#define SLOT_ELEMENT_LIST_INSTALL 25u
#define SLOT_ELEMENT_LIST_INITIALIZE 26u
#define SLOT_ELEMENT_LIST_UPDATE 27u
#define SLOT_ELEMENT_LIST_GENERATE 28u
#define SLOT_ELEMENT_LIST_DRAW 29u
#define SLOT_ELEMENT_LIST_KILL 31u
#define SLOT_MOUSE_LIST_INSTALL 32u
#define SLOT_MOUSE_LIST_REGISTER 33u
#define SLOT_MOUSE_LIST_UNREGISTER 34u
#define SLOT_TOGGLE_WINDOW 35u
#define SLOT_TRIGGER_KEY_EVENT 36u
#define SLOT_LOOKUP_VAR 40u
#define SLOT_EXECUTE_CALCULATOR_CODE 69u
#define PANEL_SERVICE_SLOT_COUNT 72u

/* ---------------------------------------------------------------------------------
 * Records
 * ------------------------------------------------------------------------------- */

typedef struct GaugeHeader GaugeHeader;
typedef struct GaugeHeaderOld GaugeHeaderOld;
typedef struct ElementRecord ElementRecord;
typedef struct TokenVariable TokenVariable;
typedef struct MousePoint MousePoint;

/* Callbacks the module provides (host calls them) */
typedef void(GAUGE_CALL* GaugeCallback)(GaugeHeader* gauge, int32_t service, uintptr_t extra);
typedef double(GAUGE_CALL* ValueCallback)(ElementRecord* element);
typedef double(GAUGE_CALL* TextCallback)(ElementRecord* element); /* writes element's text */
typedef uint32_t(GAUGE_CALL* MouseCallback)(MousePoint* point, uint32_t mouse_flags);
typedef void(GAUGE_CALL* ModuleRoutine)(void);
typedef void(GAUGE_CALL* GaugeRoutine)(void);
typedef void(GAUGE_CALL* GaugeWordRoutine)(uintptr_t word);
/* Older interface: a needle's value callback is given the needle's source variable
 * (refreshed by the host) instead of the element. */
typedef double(GAUGE_CALL* SourceValueCallback)(TokenVariable* source);

/* The value of a token variable: a double or, for some variables, an unsigned 32-bit
 * integer in the low word (which reading applies is fixed per variable). */
typedef union TokenValue {
    double number;
    uint32_t integer;
} TokenValue;

/* A host value identified by number. Seven words; embedded in elements as their
 * sources, and used by modules as records passed to lookup_var. */
struct TokenVariable {
    uint32_t id;         /* 0  module: variable number; 0 = no variable */
    void* host_pointer;  /* 1  host */
    uint32_t host_type;  /* 2  host */
    TokenValue value;    /* 3-4 host: current value */
    TokenValue previous; /* 5-6 host: value before the last refresh */
};

/* Failure list entry: three words. A list ends with an entry whose key is 0. */
typedef struct FailureEntry {
    uint32_t key;      /* 0  module: host failure number; 0 ends the list */
    uint32_t action;   /* 1  module: FAILURE_ACTION_* */
    uint32_t reserved; /* 2  0 */
} FailureEntry;

/* A row of a needle's nonlinearity table: 24 bytes. */
typedef struct NeedleRow {
    int32_t x;      /* 0  module: point on the face (design pixels) */
    int32_t y;      /* 1  module */
    double value;   /* 2-3 module: the value the needle shows at that point */
    double degrees; /* 4-5 module: 0 in every row of these modules */
} NeedleRow;

/* The common part of every element record: words 0 to 14. */
struct ElementRecord {
    uint32_t kind;                 /* 0  module: ELEMENT_* */
    uint32_t resource_id;          /* 1  module: bitmap number, RESOURCE_NONE for strings */
    int32_t position_x;            /* 2  module: design pixels; a needle's pivot on the */
    int32_t position_y;            /* 3        face, else the element's top-left corner */
    int32_t previous_x;            /* 4  host */
    int32_t previous_y;            /* 5  host */
    int32_t offset_x;              /* 6  module: needle: pivot inside the needle bitmap; */
    int32_t offset_y;              /* 7        sprite: turning point on the face; else 0 */
    union {                        /* 8  module: the owning gauge header */
        GaugeHeader* gauge;        /* current interface (host: the instance's copy) */
        GaugeHeaderOld* gauge_old; /* older interface: the module's own header */
    };
    ElementRecord* previous_element; /* 9  host */
    ElementRecord** children;        /* 10 module: zero-terminated child list */
    const FailureEntry* failures;    /* 11 module: failure list, or none */
    uint32_t image_flags;            /* 12 module: IMAGE_FLAG_*; gauges may set the hidden bit */
    uint32_t special_flags;          /* 13 module: ELEMENT_SPECIAL_* */
    uint32_t reserved_14;            /* 14 0 */
};

/* Kind 0, static image: 24 words. */
typedef struct StaticImageRecord {
    ElementRecord common; /* 0-14 */
    uint32_t reserved_15_23[9];
} StaticImageRecord;

/* Kind 1, needle: 59 words. */
typedef struct NeedleRecord {
    ElementRecord common; /* 0-14 */
    TokenVariable source; /* 15-21 module: variable id; host: value */
    uint32_t reserved_22_27[6];
    const NeedleRow* nonlinearity; /* 28 module: table, or none (value is the angle) */
    uint32_t row_count;            /* 29 module */
    uint32_t reserved_30_55[26];
    ValueCallback value_callback; /* 56 module, or none */
    uint32_t reserved_57_58[2];
} NeedleRecord;

/* Kind 2, string: 81 words. */
typedef struct StringRecord {
    ElementRecord common;     /* 0-14 */
    TokenVariable sources[3]; /* 15-21, 22-28, 29-35 module: variable ids */
    uint32_t reserved_36_45[10];
    char* text; /* 46 host: buffer of char_count + 1 bytes */
    uint32_t reserved_47;
    uint32_t box_width;  /* 48 module: pixels */
    uint32_t box_height; /* 49 module: pixels */
    uint32_t reserved_50_51[2];
    uint32_t text_colour;       /* 52 module: 0x00BBGGRR */
    uint32_t background_colour; /* 53 module: 0x00BBGGRR */
    uint32_t highlight_colour;  /* 54 module: 0x00BBGGRR */
    uint32_t reserved_55_61[7];
    char font_face[FONT_FACE_BYTES]; /* 62-69 module: zero-terminated face name */
    uint32_t font_weight;            /* 70 module */
    uint32_t character_set;          /* 71 module */
    uint32_t text_format;            /* 72 module: TEXT_FORMAT_* */
    uint32_t char_count;             /* 73 module: characters the buffer holds */
    uint32_t reserved_74_77[4];
    TextCallback text_callback; /* 78 module, or none */
    uint32_t reserved_79_80[2];
} StringRecord;

/* Kind 3, slider: 48 words. */
typedef struct SliderRecord {
    ElementRecord common;   /* 0-14 */
    TokenVariable x_source; /* 15-21 */
    uint32_t reserved_22;
    double x_scale; /* 23-24 module: pixels per unit of value */
    uint32_t reserved_25;
    TokenVariable y_source; /* 26-32 */
    uint32_t reserved_33;
    double y_scale; /* 34-35 */
    uint32_t reserved_36_41[6];
    ValueCallback x_callback; /* 42 */
    ValueCallback y_callback; /* 43 */
    uint32_t reserved_44_47[4];
} SliderRecord;

/* Kind 4, icon: 35 words. */
typedef struct IconRecord {
    ElementRecord common; /* 0-14 */
    TokenVariable source; /* 15-21 */
    uint32_t reserved_22_24[3];
    double scale; /* 25-26 module: 1.0 or 0 */
    uint32_t reserved_27;
    uint32_t icon_count; /* 28 module: bitmaps resource_id ... + count - 1 */
    uint32_t reserved_29_32[4];
    ValueCallback value_callback; /* 33 module: index to show, ICON_HIDDEN to hide */
    uint32_t reserved_34;
} IconRecord;

/* Kind 5, moving image: 67 words. resource_id is the picture, resource_id + 1 the
 * window it is seen through. */
typedef struct MovingImageRecord {
    ElementRecord common;   /* 0-14 */
    TokenVariable x_source; /* 15-21 */
    uint32_t reserved_22;
    double x_range_start; /* 23-24 value at which the left edges meet */
    double x_range_end;   /* 25-26 value at which the right edges meet */
    uint32_t reserved_27;
    TokenVariable y_source; /* 28-34 */
    uint32_t reserved_35;
    double y_range_start; /* 36-37 value at which the top edges meet */
    double y_range_end;   /* 38-39 value at which the bottom edges meet */
    uint32_t reserved_40_60[21];
    ValueCallback x_callback; /* 61 */
    ValueCallback y_callback; /* 62 */
    uint32_t reserved_63_66[4];
} MovingImageRecord;

/* Kind 6, sprite: 88 words. resource_id is the texture, resource_id + 1 the window. */
typedef struct SpriteRecord {
    ElementRecord common;   /* 0-14 */
    TokenVariable x_source; /* 15-21 */
    uint32_t reserved_22;
    double x_scale;         /* 23-24 pixels per unit */
    TokenVariable y_source; /* 25-31 */
    uint32_t reserved_32;
    double y_scale;                /* 33-34 pixels per unit */
    TokenVariable rotation_source; /* 35-41 */
    uint32_t reserved_42;
    double rotation_scale; /* 43-44 degrees per unit, counterclockwise */
    float texture_scale_x; /* 45 */
    float texture_scale_y; /* 46 */
    uint32_t reserved_47_78[32];
    ValueCallback x_callback;        /* 79 */
    ValueCallback y_callback;        /* 80 */
    ValueCallback rotation_callback; /* 81 */
    uint32_t reserved_82_87[6];
} SpriteRecord;

/* ---------------------------------------------------------------------------------
 * Element records of the older interface (header version 0x262). The common part
 * (words 0-14) is an ElementRecord whose owner is `gauge_old`; the kinds continue
 * in their own, shorter layouts.
 * ------------------------------------------------------------------------------- */

/* Kind 0, static image, older layout: 20 words. */
typedef struct StaticImageRecordOld {
    ElementRecord common;       /* 0-14 module */
    void* host_record;          /* 15 host: its record for the installed element list,
                                      written by the element-list install service
                                      (slot 25); the gauge's install routine hands this
                                      address plus 4 bytes to slot 32 */
    uint32_t reserved_16_19[4]; /* 16-19 host */
} StaticImageRecordOld;

/* Kind 1, needle, older layout: 56 words. */
typedef struct NeedleRecordOld {
    ElementRecord common;               /* 0-14 module */
    TokenVariable source;               /* 15-21 module: variable id; host: value, refreshed
                                              before the value callback is asked */
    SourceValueCallback value_callback; /* 22 module, or none (the source's value is
                                          used) */
    uint32_t reserved_23_25[3];         /* 23-25 host */
    uint32_t host_setting_26;           /* 26 module: a number the host interprets (151 in
                                              Harrow_ASI); this host ignores it */
    uint32_t host_setting_27;           /* 27 module: likewise (8 in Harrow_ASI) */
    const NeedleRow* nonlinearity;      /* 28 module: table, or none (value is the angle) */
    uint32_t row_count;                 /* 29 module */
    uint32_t host_setting_30;           /* 30 module: likewise (6 in Harrow_ASI) */
    uint32_t reserved_31_55[25];        /* 31-55 host */
} NeedleRecordOld;

/* The record a mouse callback receives. */
struct MousePoint {
    int32_t x;          /* 0  host: click point (the gauges never read it) */
    int32_t y;          /* 1  host */
    GaugeHeader* gauge; /* 2  host: the owning gauge header (the instance's copy) */
};

/* Mouse area: eleven words. */
typedef struct MouseArea {
    uint32_t kind;              /* 0  MOUSE_* */
    int32_t box_x;              /* 1  design pixels from the top-left of the area it */
    int32_t box_y;              /* 2  belongs to; an all-zero box covers that area */
    int32_t box_width;          /* 3 */
    int32_t box_height;         /* 4 */
    int32_t cursor;             /* 5  CURSOR_* */
    uint32_t help_id;           /* 6  host help text number (MOUSE_BEGIN, MOUSE_TOOLTIP), or 0;
                                      module, or the gauge at installation */
    uint32_t mouse_flags;       /* 7  MOUSE_LEFT_BUTTON, MOUSE_RIGHT_BUTTON, MOUSE_REPEAT */
    uint32_t key_event;         /* 8  MOUSE_CHILD: event the host sends itself, or 0 */
    union {                     /* 9 */
        MouseCallback callback; /* MOUSE_CHILD: called on a matching click */
        const char* tooltip;    /* MOUSE_TOOLTIP: text, or 0 when help_id gives it */
    } action;
    uint32_t data; /* 10 0 */
} MouseArea;

/* Gauge header of the current interface (version 0x320). */
struct GaugeHeader {
    uint32_t version;                  /* 0  module: GAUGE_HEADER_VERSION */
    const char* name;                  /* 1  module: name the panel places it by */
    ElementRecord** element_list;      /* 2  module: zero-terminated root elements */
    GaugeRoutine query_routine;        /* 3  host (older headers: module routines) */
    GaugeWordRoutine install_routine;  /* 4 */
    GaugeRoutine initialize_routine;   /* 5 */
    GaugeRoutine update_routine;       /* 6 */
    GaugeWordRoutine generate_routine; /* 7 */
    GaugeRoutine draw_routine;         /* 8 */
    GaugeRoutine kill_routine;         /* 9 */
    uint32_t reserved_10;              /* 10 host */
    uint32_t size_mm;                  /* 11 module: design width in millimetres */
    uint32_t reserved_12_19[8];        /* 12-19 host */
    MouseArea* mouse_areas;            /* 20 module: mouse list */
    GaugeCallback gauge_callback;      /* 21 module, or none */
    uint32_t user_word;                /* 22 module data 0; the gauge's own use */
    char* parameters;                  /* 23 host: parameter string before service 2,
                                             writable; or none */
};

/* Gauge header of the older interface (version 0x262): 22 words. Instead of a gauge
 * callback it names seven routines, which the host calls for each phase of the
 * gauge's life (routine k belongs to the phase that the current interface announces
 * with service number 2k) and which pass the gauge's element list and mouse list on
 * to the host's services of slots 24 to 34. The mouse list is not named here: the
 * install routine hands it to the host. */
struct GaugeHeaderOld {
    uint32_t version;                  /* 0  module: GAUGE_HEADER_VERSION_OLD */
    const char* name;                  /* 1  module: name the panel places it by */
    ElementRecord** element_list;      /* 2  module: zero-terminated root elements */
    GaugeRoutine query_routine;        /* 3  module: host calls it first */
    GaugeWordRoutine install_routine;  /* 4  module: then this, with a host word */
    GaugeRoutine initialize_routine;   /* 5  module: then this */
    GaugeRoutine update_routine;       /* 6  module: every cycle, first */
    GaugeWordRoutine generate_routine; /* 7  module: every cycle, with a host word */
    GaugeRoutine draw_routine;         /* 8  module: every cycle, last */
    GaugeRoutine kill_routine;         /* 9  module: at removal */
    uint32_t reserved_10;              /* 10 host */
    uint32_t size_mm;                  /* 11 module: design width in millimetres */
    uint32_t reserved_12_21[10];       /* 12-21 host */
};

/* ---------------------------------------------------------------------------------
 * Exported records
 * ------------------------------------------------------------------------------- */

/* `Linkage`: these six words, followed directly by the gauge header pointers and a
 * terminating zero (use GAUGE_LINKAGE_GAUGES to reach them). */
typedef struct ModuleLinkage {
    uint32_t module_id; /* 0  GAUGE_MODULE_ID */
    ModuleRoutine init; /* 1  called after ImportTable is filled */
    ModuleRoutine fini; /* 2  called before the module is released */
    uint32_t flags;     /* 3  0 */
    uint32_t priority;  /* 4  0 */
    uint32_t version;   /* 5  GAUGE_LINKAGE_VERSION */
    /* 6 ... gauge header pointers, then 0 */
} ModuleLinkage;

#define GAUGE_LINKAGE_GAUGES(linkage)                                                              \
    ((GaugeHeader* const*)(const void*)((const char*)(linkage) + sizeof(ModuleLinkage)))

/* `ImportTable`: an array of entries ending with an all-zero one. */
typedef struct ImportEntry {
    uint32_t service_id; /* module: GAUGE_IMPORT_PANEL_SERVICES, 0 at the end */
    void* table;         /* host: address of its PanelServiceTable */
} ImportEntry;

/* ---------------------------------------------------------------------------------
 * Host panel services
 * ------------------------------------------------------------------------------- */

/* Slots 24-34: element-list and mouse-list services of the older interface, called
 * by its gauge routines. An element-list service acts on the whole chain from the
 * root (the background) down; the word is the one the routine was given. */
typedef void(GAUGE_CALL* ElementListService)(ElementRecord* root);
typedef void(GAUGE_CALL* ElementListWordService)(ElementRecord* root, uintptr_t word);
/* Slot 32: installs a mouse list; `host_record` is the background's word 15 plus 4
 * bytes. Slot 33 registers the list, slot 34 takes it back. */
typedef void(GAUGE_CALL* MouseListInstallService)(MouseArea* list, GaugeHeaderOld* gauge,
                                                  void* host_record);
typedef void(GAUGE_CALL* MouseListService)(MouseArea* list, GaugeHeaderOld* gauge);

/* Slot 35: shows the window if hidden, hides it if shown. */
typedef int32_t(GAUGE_CALL* ToggleWindowService)(uint32_t window);
/* Slot 36: performs the key event at once. */
typedef int32_t(GAUGE_CALL* TriggerKeyEventService)(uint32_t event, uint32_t value);
/* Slot 40: fills variable->value with the current value of variable->id. */
typedef void(GAUGE_CALL* LookupVarService)(TokenVariable* variable);
/* Slot 69: evaluates an expression such as "(A:PRESSURE ALTITUDE,feet)"; each out may
 * be absent. The text out points at host-owned text valid until the next call. */
typedef int32_t(GAUGE_CALL* ExecuteCalculatorCodeService)(const char* code, double* number_out,
                                                          int32_t* integer_out,
                                                          const char** text_out);
/* Any other slot. */
typedef void(GAUGE_CALL* UnusedService)(void);

typedef struct PanelServiceTable {
    UnusedService unused_0_23[24];
    ElementListService element_list_query;        /* 24 */
    ElementListWordService element_list_install;  /* 25 */
    ElementListService element_list_initialize;   /* 26 */
    ElementListService element_list_update;       /* 27 */
    ElementListWordService element_list_generate; /* 28 */
    ElementListService element_list_draw;         /* 29 */
    UnusedService unused_30;                      /* 30 */
    ElementListService element_list_kill;         /* 31 */
    MouseListInstallService mouse_list_install;   /* 32 */
    MouseListService mouse_list_register;         /* 33 */
    MouseListService mouse_list_unregister;       /* 34 */
    ToggleWindowService toggle_window;            /* 35 */
    TriggerKeyEventService trigger_key_event;     /* 36 */
    UnusedService unused_37_39[3];
    LookupVarService lookup_var; /* 40 */
    UnusedService unused_41_68[28];
    ExecuteCalculatorCodeService execute_calculator_code; /* 69 */
    UnusedService unused_70_71[2];
} PanelServiceTable;

/* ---------------------------------------------------------------------------------
 * Layout checks: word positions and record lengths of the 32-bit format
 * ------------------------------------------------------------------------------- */

#ifdef __cplusplus
#define GAUGE_ABI_ASSERT(condition, message) static_assert(condition, message)
#else
#define GAUGE_ABI_ASSERT(condition, message) _Static_assert(condition, message)
#endif

#define GAUGE_ABI_SLOT_AT(type, field, slot)                                                       \
    GAUGE_ABI_ASSERT(offsetof(type, field) == (slot) * sizeof(void*), #type "." #field)

GAUGE_ABI_SLOT_AT(PanelServiceTable, element_list_query, SLOT_ELEMENT_LIST_QUERY);
GAUGE_ABI_SLOT_AT(PanelServiceTable, element_list_install, SLOT_ELEMENT_LIST_INSTALL);
GAUGE_ABI_SLOT_AT(PanelServiceTable, element_list_initialize, SLOT_ELEMENT_LIST_INITIALIZE);
GAUGE_ABI_SLOT_AT(PanelServiceTable, element_list_update, SLOT_ELEMENT_LIST_UPDATE);
GAUGE_ABI_SLOT_AT(PanelServiceTable, element_list_generate, SLOT_ELEMENT_LIST_GENERATE);
GAUGE_ABI_SLOT_AT(PanelServiceTable, element_list_draw, SLOT_ELEMENT_LIST_DRAW);
GAUGE_ABI_SLOT_AT(PanelServiceTable, element_list_kill, SLOT_ELEMENT_LIST_KILL);
GAUGE_ABI_SLOT_AT(PanelServiceTable, mouse_list_install, SLOT_MOUSE_LIST_INSTALL);
GAUGE_ABI_SLOT_AT(PanelServiceTable, mouse_list_register, SLOT_MOUSE_LIST_REGISTER);
GAUGE_ABI_SLOT_AT(PanelServiceTable, mouse_list_unregister, SLOT_MOUSE_LIST_UNREGISTER);
GAUGE_ABI_SLOT_AT(PanelServiceTable, toggle_window, SLOT_TOGGLE_WINDOW);
GAUGE_ABI_SLOT_AT(PanelServiceTable, trigger_key_event, SLOT_TRIGGER_KEY_EVENT);
GAUGE_ABI_SLOT_AT(PanelServiceTable, lookup_var, SLOT_LOOKUP_VAR);
GAUGE_ABI_SLOT_AT(PanelServiceTable, execute_calculator_code, SLOT_EXECUTE_CALCULATOR_CODE);
GAUGE_ABI_ASSERT(sizeof(PanelServiceTable) == PANEL_SERVICE_SLOT_COUNT * sizeof(void*),
                 "PanelServiceTable slot count");
GAUGE_ABI_ASSERT(sizeof(NeedleRow) == 24, "NeedleRow is 24 bytes");
GAUGE_ABI_ASSERT(sizeof(FailureEntry) == 12, "FailureEntry is three words");

#if GAUGE_ABI_32BIT
#define GAUGE_ABI_WORD_AT(type, field, word)                                                       \
    GAUGE_ABI_ASSERT(offsetof(type, field) == (word)*4u, #type "." #field " word")
#define GAUGE_ABI_WORDS(type, words) GAUGE_ABI_ASSERT(sizeof(type) == (words)*4u, #type " length")

GAUGE_ABI_WORDS(TokenVariable, 7);
GAUGE_ABI_WORD_AT(TokenVariable, host_pointer, 1);
GAUGE_ABI_WORD_AT(TokenVariable, host_type, 2);
GAUGE_ABI_WORD_AT(TokenVariable, value, 3);
GAUGE_ABI_WORD_AT(TokenVariable, previous, 5);

GAUGE_ABI_WORDS(MouseArea, 11);
GAUGE_ABI_WORD_AT(MouseArea, box_x, 1);
GAUGE_ABI_WORD_AT(MouseArea, cursor, 5);
GAUGE_ABI_WORD_AT(MouseArea, help_id, 6);
GAUGE_ABI_WORD_AT(MouseArea, mouse_flags, 7);
GAUGE_ABI_WORD_AT(MouseArea, key_event, 8);
GAUGE_ABI_WORD_AT(MouseArea, action, 9);
GAUGE_ABI_WORD_AT(MouseArea, data, 10);

GAUGE_ABI_WORDS(MousePoint, 3);
GAUGE_ABI_WORD_AT(MousePoint, gauge, 2);

GAUGE_ABI_WORDS(GaugeHeader, 24);
GAUGE_ABI_WORD_AT(GaugeHeader, name, 1);
GAUGE_ABI_WORD_AT(GaugeHeader, element_list, 2);
GAUGE_ABI_WORD_AT(GaugeHeader, query_routine, 3);
GAUGE_ABI_WORD_AT(GaugeHeader, kill_routine, 9);
GAUGE_ABI_WORD_AT(GaugeHeader, size_mm, 11);
GAUGE_ABI_WORD_AT(GaugeHeader, mouse_areas, 20);
GAUGE_ABI_WORD_AT(GaugeHeader, gauge_callback, 21);
GAUGE_ABI_WORD_AT(GaugeHeader, user_word, 22);
GAUGE_ABI_WORD_AT(GaugeHeader, parameters, 23);

GAUGE_ABI_WORDS(GaugeHeaderOld, GAUGE_HEADER_OLD_WORDS);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, name, 1);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, element_list, 2);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, query_routine, 3);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, install_routine, 4);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, initialize_routine, 5);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, update_routine, 6);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, generate_routine, 7);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, draw_routine, 8);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, kill_routine, 9);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, reserved_10, 10);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, size_mm, 11);
GAUGE_ABI_WORD_AT(GaugeHeaderOld, reserved_12_21, 12);

GAUGE_ABI_WORDS(ModuleLinkage, 6);
GAUGE_ABI_WORD_AT(ModuleLinkage, init, 1);
GAUGE_ABI_WORD_AT(ModuleLinkage, fini, 2);
GAUGE_ABI_WORD_AT(ModuleLinkage, flags, 3);
GAUGE_ABI_WORD_AT(ModuleLinkage, priority, 4);
GAUGE_ABI_WORD_AT(ModuleLinkage, version, 5);
GAUGE_ABI_WORDS(ImportEntry, 2);

GAUGE_ABI_WORDS(ElementRecord, 15);
GAUGE_ABI_WORD_AT(ElementRecord, resource_id, 1);
GAUGE_ABI_WORD_AT(ElementRecord, position_x, 2);
GAUGE_ABI_WORD_AT(ElementRecord, previous_x, 4);
GAUGE_ABI_WORD_AT(ElementRecord, offset_x, 6);
GAUGE_ABI_WORD_AT(ElementRecord, gauge, 8);
GAUGE_ABI_WORD_AT(ElementRecord, gauge_old, 8);
GAUGE_ABI_WORD_AT(ElementRecord, previous_element, 9);
GAUGE_ABI_WORD_AT(ElementRecord, children, 10);
GAUGE_ABI_WORD_AT(ElementRecord, failures, 11);
GAUGE_ABI_WORD_AT(ElementRecord, image_flags, 12);
GAUGE_ABI_WORD_AT(ElementRecord, special_flags, 13);

GAUGE_ABI_WORDS(StaticImageRecord, STATIC_IMAGE_RECORD_WORDS);

GAUGE_ABI_WORDS(NeedleRecord, NEEDLE_RECORD_WORDS);
GAUGE_ABI_WORD_AT(NeedleRecord, source, 15);
GAUGE_ABI_WORD_AT(NeedleRecord, nonlinearity, 28);
GAUGE_ABI_WORD_AT(NeedleRecord, row_count, 29);
GAUGE_ABI_WORD_AT(NeedleRecord, value_callback, 56);

GAUGE_ABI_WORDS(StaticImageRecordOld, STATIC_IMAGE_RECORD_OLD_WORDS);
GAUGE_ABI_WORD_AT(StaticImageRecordOld, host_record, 15);
GAUGE_ABI_WORD_AT(StaticImageRecordOld, reserved_16_19, 16);

GAUGE_ABI_WORDS(NeedleRecordOld, NEEDLE_RECORD_OLD_WORDS);
GAUGE_ABI_WORD_AT(NeedleRecordOld, source, 15);
GAUGE_ABI_WORD_AT(NeedleRecordOld, value_callback, 22);
GAUGE_ABI_WORD_AT(NeedleRecordOld, host_setting_26, 26);
GAUGE_ABI_WORD_AT(NeedleRecordOld, host_setting_27, 27);
GAUGE_ABI_WORD_AT(NeedleRecordOld, nonlinearity, 28);
GAUGE_ABI_WORD_AT(NeedleRecordOld, row_count, 29);
GAUGE_ABI_WORD_AT(NeedleRecordOld, host_setting_30, 30);

GAUGE_ABI_WORDS(StringRecord, STRING_RECORD_WORDS);
GAUGE_ABI_WORD_AT(StringRecord, sources, 15);
GAUGE_ABI_WORD_AT(StringRecord, text, 46);
GAUGE_ABI_WORD_AT(StringRecord, box_width, 48);
GAUGE_ABI_WORD_AT(StringRecord, box_height, 49);
GAUGE_ABI_WORD_AT(StringRecord, text_colour, 52);
GAUGE_ABI_WORD_AT(StringRecord, background_colour, 53);
GAUGE_ABI_WORD_AT(StringRecord, highlight_colour, 54);
GAUGE_ABI_WORD_AT(StringRecord, font_face, 62);
GAUGE_ABI_WORD_AT(StringRecord, font_weight, 70);
GAUGE_ABI_WORD_AT(StringRecord, character_set, 71);
GAUGE_ABI_WORD_AT(StringRecord, text_format, 72);
GAUGE_ABI_WORD_AT(StringRecord, char_count, 73);
GAUGE_ABI_WORD_AT(StringRecord, text_callback, 78);

GAUGE_ABI_WORDS(SliderRecord, SLIDER_RECORD_WORDS);
GAUGE_ABI_WORD_AT(SliderRecord, x_source, 15);
GAUGE_ABI_WORD_AT(SliderRecord, x_scale, 23);
GAUGE_ABI_WORD_AT(SliderRecord, y_source, 26);
GAUGE_ABI_WORD_AT(SliderRecord, y_scale, 34);
GAUGE_ABI_WORD_AT(SliderRecord, x_callback, 42);
GAUGE_ABI_WORD_AT(SliderRecord, y_callback, 43);

GAUGE_ABI_WORDS(IconRecord, ICON_RECORD_WORDS);
GAUGE_ABI_WORD_AT(IconRecord, source, 15);
GAUGE_ABI_WORD_AT(IconRecord, scale, 25);
GAUGE_ABI_WORD_AT(IconRecord, icon_count, 28);
GAUGE_ABI_WORD_AT(IconRecord, value_callback, 33);

GAUGE_ABI_WORDS(MovingImageRecord, MOVING_IMAGE_RECORD_WORDS);
GAUGE_ABI_WORD_AT(MovingImageRecord, x_source, 15);
GAUGE_ABI_WORD_AT(MovingImageRecord, x_range_start, 23);
GAUGE_ABI_WORD_AT(MovingImageRecord, x_range_end, 25);
GAUGE_ABI_WORD_AT(MovingImageRecord, y_source, 28);
GAUGE_ABI_WORD_AT(MovingImageRecord, y_range_start, 36);
GAUGE_ABI_WORD_AT(MovingImageRecord, y_range_end, 38);
GAUGE_ABI_WORD_AT(MovingImageRecord, x_callback, 61);
GAUGE_ABI_WORD_AT(MovingImageRecord, y_callback, 62);

GAUGE_ABI_WORDS(SpriteRecord, SPRITE_RECORD_WORDS);
GAUGE_ABI_WORD_AT(SpriteRecord, x_source, 15);
GAUGE_ABI_WORD_AT(SpriteRecord, x_scale, 23);
GAUGE_ABI_WORD_AT(SpriteRecord, y_source, 25);
GAUGE_ABI_WORD_AT(SpriteRecord, y_scale, 33);
GAUGE_ABI_WORD_AT(SpriteRecord, rotation_source, 35);
GAUGE_ABI_WORD_AT(SpriteRecord, rotation_scale, 43);
GAUGE_ABI_WORD_AT(SpriteRecord, texture_scale_x, 45);
GAUGE_ABI_WORD_AT(SpriteRecord, texture_scale_y, 46);
GAUGE_ABI_WORD_AT(SpriteRecord, x_callback, 79);
GAUGE_ABI_WORD_AT(SpriteRecord, y_callback, 80);
GAUGE_ABI_WORD_AT(SpriteRecord, rotation_callback, 81);

#undef GAUGE_ABI_WORD_AT
#undef GAUGE_ABI_WORDS
#endif /* GAUGE_ABI_32BIT */

#undef GAUGE_ABI_SLOT_AT

#if GAUGE_ABI_32BIT
#pragma pack(pop)
#endif

#ifdef __cplusplus
}
#endif

#endif /* GAUGE_ABI_H */
