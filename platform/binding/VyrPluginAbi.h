/*
 * The C interface between a meter plug-in library and its host.
 *
 * Every plug-in library exports exactly the seven functions declared at the end
 * of this header and nothing else. The host maps the library (dlopen with
 * RTLD_LOCAL, so several libraries, or several copies of one, keep separate
 * statics), calls ACFStartup, describes the plug-in with ACFRegisterPlugin,
 * fetches the effect's function table with ACFGetClassFactory and creates
 * instances through it. ACFShutdown ends the library's session; afterwards
 * ACFCanUnloadNow reports 0 and the library may be unmapped.
 *
 * Threads
 *  - Each library runs its own message thread from ACFStartup to ACFShutdown.
 *    Editors, timers and asynchronous messages live there; the editor functions
 *    below run their work on it and return when it is done.
 *  - process() is called on the host's audio thread, one thread at a time per
 *    instance. It does not allocate and takes only the processor's callback lock.
 *  - Every other function may be called on any host thread, but the functions
 *    of one instance must not be called concurrently with its destroyInstance.
 *
 * Strings are UTF-8 and null-terminated. Pointers handed out by the library
 * (description strings, the function table) stay valid until it is unmapped.
 */
#ifndef VYR_PLUGIN_ABI_H
#define VYR_PLUGIN_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The interface revision that ACFGetSDKVersion reports. */
#define VYR_ABI_VERSION 1u

/* Result codes: 0 is success, failures are negative. */
typedef int32_t VyrResult;
#define VYR_OK                   0
#define VYR_ERROR_INVALID       -1  /* a null pointer, an index or a value out of range */
#define VYR_ERROR_NOT_STARTED   -2  /* ACFStartup has not run (or ACFShutdown has) */
#define VYR_ERROR_BUSY          -3  /* ACFShutdown while instances are alive */
#define VYR_ERROR_UNKNOWN_CLASS -4  /* ACFGetClassFactory with another class id */
#define VYR_ERROR_NO_DISPLAY    -5  /* an editor was asked for without a window system */
#define VYR_ERROR_FAILED        -6  /* anything else; nothing was changed */

#define VYR_MAX_CONFIGURATIONS 8
#define VYR_MAX_PARAMETER_NAME 128
#define VYR_MAX_PARAMETER_ID 32
#define VYR_MAX_CHUNK_ID 32

/* The class id of the effect, for ACFGetClassFactory. */
#define VYR_EFFECT_CLASS_ID "vyr.effect"

/* The chunk that holds the processor's own state, byte for byte. */
#define VYR_CHUNK_PROCESSOR "juce"
/* The chunk that holds the host parameters (all but the bypass), written by the
 * binding: "VYRP", a 32-bit little-endian count, then per parameter one byte of
 * id length, the id, and the value as a 32-bit little-endian IEEE float. */
#define VYR_CHUNK_PARAMETERS "params"

/* The id of the binding's bypass parameter, which comes after the processor's
 * parameters (whose ids are "0", "1", ... in the order of their positions). */
#define VYR_BYPASS_PARAMETER_ID "MasterBypass"

/* ---- Description (no instance is created for it) ----------------------- */

typedef struct VyrChannelConfiguration
{
    int32_t inputs;
    int32_t outputs;
    char nativeId[4];   /* four-character code, not null-terminated */
} VyrChannelConfiguration;

typedef struct VyrVersionResource
{
    const char* companyName;
    const char* fileDescription;
    const char* fileVersion;
    const char* productName;
    const char* productVersion;
    uint16_t fileVersionNumber[4];
    uint16_t productVersionNumber[4];
} VyrVersionResource;

typedef struct VyrPluginDescription
{
    uint32_t structSize;            /* set by the host to sizeof (VyrPluginDescription) */
    const char* effectIdentifier;
    const char* manufacturerName;
    const char* effectNames[2];
    const char* packageNames[2];
    uint32_t packageVersion;        /* 0xMMmmpp */
    uint32_t category;
    int32_t numConfigurations;
    VyrChannelConfiguration configurations[VYR_MAX_CONFIGURATIONS];
    char manufacturerId[4];         /* four-character codes, bytes as given */
    char productId[4];
    int32_t canBypass;
    int32_t latencySamples;
    VyrVersionResource versionResource;
} VyrPluginDescription;

/* What the library knows about one of its component classes. */
typedef struct VyrComponentInfo
{
    uint32_t structSize;            /* set by the host to sizeof (VyrComponentInfo) */
    const char* classId;            /* pass to ACFGetClassFactory */
    const char* effectIdentifier;
} VyrComponentInfo;

/* What the host hands over at ACFStartup. */
typedef struct VyrHostServices
{
    uint32_t structSize;            /* sizeof (VyrHostServices) */
    uint32_t abiVersion;            /* VYR_ABI_VERSION of the host */
    const char* hostName;
} VyrHostServices;

/* ---- Instances ----------------------------------------------------------- */

typedef struct VyrInstance VyrInstance;

/* The host's side of one instance. The callbacks may be null. */
typedef struct VyrInstanceHost
{
    uint32_t structSize;            /* sizeof (VyrInstanceHost) */
    void* context;                  /* handed back to every callback */

    /* The host's sample rate in Hz; read once, while the instance is created. */
    double (*getSampleRate) (void* context);

    /* The longest parameter name the host shows, in characters (1 to 127). */
    int32_t maximumParameterNameLength;

    /* A parameter changed inside the plug-in (its editor, or a state restore).
     * Called on the thread where the change happened: the library's message
     * thread, or the host thread that restores the state. */
    void (*parameterChanged) (void* context, int32_t parameterIndex, float value);

    /* The open editor changed its size. Called on the library's message thread. */
    void (*editorResized) (void* context, int32_t width, int32_t height);
} VyrInstanceHost;

typedef struct VyrParameterInfo
{
    char id[VYR_MAX_PARAMETER_ID];
    char name[VYR_MAX_PARAMETER_NAME];  /* cut to the host's maximum length */
    float defaultValue;
    float minimumValue;
    float maximumValue;
    int32_t isBypass;
} VyrParameterInfo;

/* Receives one chunk during saveChunk; data is valid only during the call. */
typedef void (*VyrChunkSink) (void* context, const char* chunkId, const void* data, int32_t size);

typedef struct VyrChunk
{
    const char* chunkId;
    const void* data;
    int32_t size;
} VyrChunk;

typedef struct VyrEffectFactory
{
    uint32_t structSize;

    /* Creates an instance for configuration index configurationIndex of the
     * description. The processor is created on the calling thread, configured
     * for the host's sample rate and a block size of 1024, and prepared.
     * Returns null when the library is not started, the index or the sample rate
     * is not usable, or host is null. */
    VyrInstance* (*createInstance) (const VyrInstanceHost* host, int32_t configurationIndex);

    /* Closes the instance's editor if one is open, then deletes the processor. */
    void (*destroyInstance) (VyrInstance* instance);

    int32_t (*getLatencySamples) (VyrInstance* instance);

    /* Host parameters: the processor's, then the bypass (see above). */
    int32_t (*getNumParameters) (VyrInstance* instance);
    VyrResult (*getParameterInfo) (VyrInstance* instance, int32_t index, VyrParameterInfo* info);
    VyrResult (*getParameterValue) (VyrInstance* instance, int32_t index, float* value);
    /* May be called on any thread, the audio thread between blocks too: it
     * stores the value and returns, without allocating, without a system call
     * and without waiting for a lock. An open editor shows the new value at its
     * next display tick. A Hold change that restarts the peak holds leaves the
     * restart to the next block or display tick. A value that is not a finite
     * number is refused. The parameterChanged callback is not called for the
     * host's own changes. */
    VyrResult (*setParameterValue) (VyrInstance* instance, int32_t index, float value);
    /* The parameter's display text, cut to fit the buffer and null-terminated.
     * Returns the length of the whole text in bytes, or a negative VyrResult. */
    int32_t (*getParameterText) (VyrInstance* instance, int32_t index, char* buffer, int32_t bufferSize);

    /* State. saveChunks hands every chunk to the sink, "params" then "juce".
     * restoreChunks applies the chunks it knows whatever their order in the
     * array: first "params" (each parameter through the processor's
     * setParameter), then "juce" (the processor's setStateInformation), so the
     * processor's own state has the last word. Unknown chunk ids are ignored, a
     * damaged "params" chunk is ignored as a whole, and values in it that are
     * not finite numbers are skipped. */
    VyrResult (*saveChunks) (VyrInstance* instance, VyrChunkSink sink, void* context);
    VyrResult (*restoreChunks) (VyrInstance* instance, const VyrChunk* chunks, int32_t numChunks);

    /* Audio, on the host's audio thread. inputs and outputs hold the numbers of
     * channels of the instance's configuration; they may be the same buffers.
     * The inputs are copied to the outputs (outputs beyond the inputs are
     * cleared), then the processor works on the outputs in place. A block of
     * 0 samples is legal. Blocks may change size freely. The processor is
     * prepared once, when the instance is created, for blocks of up to 1024
     * samples, and never again: a larger block is processed in consecutive
     * pieces of 1024 samples (the last one shorter), each a block of its own, so
     * the meters and their delayed display go on as with 1024-sample blocks.
     * Nothing here allocates. */
    void (*process) (VyrInstance* instance, const float* const* inputs, float* const* outputs, int32_t numSamples);

    /* Editor. parentWindow is the host's native window (an X11 Window id) on
     * the display the library's window system uses; the editor becomes a child
     * window of it. width and height receive its size and may be null. Opening
     * an open editor only reports its size. Returns VYR_ERROR_INVALID, and opens
     * nothing, when parentWindow is 0, names no window on that display (a
     * stale handle, say) or names a window for input only; a later call with a
     * valid window works. */
    VyrResult (*openEditor) (VyrInstance* instance, uint64_t parentWindow, int32_t* width, int32_t* height);
    VyrResult (*getEditorSize) (VyrInstance* instance, int32_t* width, int32_t* height);
    VyrResult (*closeEditor) (VyrInstance* instance);
} VyrEffectFactory;

/* ---- The seven exports --------------------------------------------------- */

#if defined(__GNUC__)
 #define VYR_EXPORT __attribute__ ((visibility ("default")))
#else
 #define VYR_EXPORT
#endif

/* Fills the description from the plug-in's identity table. */
VYR_EXPORT VyrResult ACFRegisterPlugin (VyrPluginDescription* description);
/* Starts the library's message thread. Calls nest: each needs an ACFShutdown. */
VYR_EXPORT VyrResult ACFStartup (const VyrHostServices* services);
/* Ends what ACFStartup began; refused with VYR_ERROR_BUSY while instances live. */
VYR_EXPORT VyrResult ACFShutdown (void);
VYR_EXPORT VyrResult ACFGetSDKVersion (uint64_t* version);
/* The number of objects alive (instances, and the started session): 0 when
 * the library may be unmapped. */
VYR_EXPORT VyrResult ACFCanUnloadNow (void);
VYR_EXPORT VyrResult ACFGetClassFactory (const char* classId, const VyrEffectFactory** factory);
/* Component index 0 is the effect; other indices give VYR_ERROR_INVALID. */
VYR_EXPORT VyrResult ACFRegisterComponent (int32_t index, VyrComponentInfo* info);

#ifdef __cplusplus
}
#endif

#endif /* VYR_PLUGIN_ABI_H */
