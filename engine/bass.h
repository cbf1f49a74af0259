/**
 * @file bass.h
 * Tarvo's audio engine: a C library (libbass.so) that decodes audio files and plays them.
 *
 * The entry points keep the names and argument lists the player resolves at run time.
 * Every function may be called from any thread. Functions that fail return 0 (or -1 where
 * noted) and record a code that BASS_ErrorGetCode() reports to the calling thread. Before
 * BASS_Init (or after BASS_Free) every stream function fails with BASS_ERROR_INIT.
 *
 * Inside: one decode thread per stream (FFmpeg) feeds the output's audio thread (SDL2, or a
 * clock thread of the engine's own for the silent device), which never blocks.
 *
 * Positions and lengths count bytes of 16-bit interleaved PCM at the stream's own sample
 * rate and channel count, as 64-bit values. A position is what is audible now: samples still
 * buffered or inside the output device are not counted.
 */
#ifndef TARVO_ENGINE_BASS_H
#define TARVO_ENGINE_BASS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t DWORD;
typedef uint64_t QWORD;
typedef int BOOL;
typedef DWORD HSTREAM;  /**< a stream handle; 0 is never a valid handle */
typedef DWORD HCHANNEL; /**< a channel handle: here always a stream */

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

#if defined(_WIN32)
#define BASSDEF(f) __stdcall f
#else
#define BASSDEF(f) f
#endif

#define BASS_VERSION 0x00020002 /**< major 2 in the high word, minor 2 in the low word */

/* Error codes reported by BASS_ErrorGetCode(). */
#define BASS_OK 0
#define BASS_ERROR_MEM 1       /**< out of memory */
#define BASS_ERROR_FILEOPEN 2  /**< the file could not be opened */
#define BASS_ERROR_DRIVER 3    /**< no usable output driver */
#define BASS_ERROR_HANDLE 5    /**< not a valid stream handle */
#define BASS_ERROR_FORMAT 6    /**< unsupported sample format */
#define BASS_ERROR_POSITION 7  /**< position outside the stream */
#define BASS_ERROR_INIT 8      /**< BASS_Init has not been called successfully */
#define BASS_ERROR_START 9     /**< the output could not be started */
#define BASS_ERROR_ALREADY 14  /**< already initialised, or already paused */
#define BASS_ERROR_NOPAUSE 16  /**< the channel is not playing */
#define BASS_ERROR_ILLTYPE 19  /**< illegal type of request */
#define BASS_ERROR_ILLPARAM 20 /**< an argument is invalid */
#define BASS_ERROR_DEVICE 23   /**< no such device */
#define BASS_ERROR_NOTAVAIL 37 /**< the requested data is not available */
#define BASS_ERROR_FILEFORM 41 /**< the file is not in a format the engine recognises */
#define BASS_ERROR_CODEC 44    /**< the codec is not available or not supported */
#define BASS_ERROR_UNKNOWN -1  /**< some other problem */

/* BASS_StreamCreateFile flags. */
#define BASS_STREAM_FILE_IN_MEMORY 1 /**< value of the `mem` argument for a memory block */

/* BASS_ChannelGetData lengths. */
#define BASS_DATA_AVAILABLE 0
#define BASS_DATA_FFT512 0x80000000  /**< 512-sample FFT: 256 floats */
#define BASS_DATA_FFT1024 0x80000001 /**< 1024-sample FFT: 512 floats */

/* BASS_ChannelIsActive results. */
#define BASS_ACTIVE_STOPPED 0
#define BASS_ACTIVE_PLAYING 1
#define BASS_ACTIVE_STALLED 2
#define BASS_ACTIVE_PAUSED 3

/** The engine's version: BASS_VERSION. */
DWORD BASSDEF(BASS_GetVersion)(void);

/**
 * Opens an output device: -1 the default output, 0 a silent device that still plays in real
 * time, 1 the default output too. Fails with BASS_ERROR_ALREADY when already initialised and
 * BASS_ERROR_DEVICE for an unknown device. Where the system has no sound device, -1 says so
 * once on standard error and plays silently. `win` and `clsid` are ignored.
 */
BOOL BASSDEF(BASS_Init)(int device, DWORD freq, DWORD flags, void* win, const void* clsid);

/** Frees every stream and closes the output. Safe to call when not initialised. */
BOOL BASSDEF(BASS_Free)(void);

/**
 * Creates a stream from a file (`mem` FALSE: `file` is a path, UTF-8) or a memory block
 * (`mem` TRUE: `file` points at `length` bytes that stay valid for the stream's life).
 * `offset` and `length` select part of the file (length 0: to the end).
 * Returns 0 on failure: BASS_ERROR_INIT, BASS_ERROR_FILEOPEN, BASS_ERROR_FILEFORM,
 * BASS_ERROR_CODEC (also for a file that needs FFmpeg where libbass-ffmpeg.so cannot be
 * loaded), BASS_ERROR_ILLPARAM, BASS_ERROR_MEM.
 */
HSTREAM BASSDEF(BASS_StreamCreateFile)(BOOL mem, const void* file, QWORD offset, QWORD length,
                                       DWORD flags);

/**
 * Stops and frees a stream; its handle is invalid afterwards (handles are not reused at once).
 * Returns once the stream's decode thread has ended. Errors: BASS_ERROR_INIT,
 * BASS_ERROR_HANDLE for an unknown handle (0 included).
 */
BOOL BASSDEF(BASS_StreamFree)(HSTREAM handle);

/**
 * Starts or resumes playing; `restart` TRUE starts again from position 0. A stream that has
 * reached its end starts again from 0 either way. Errors: BASS_ERROR_INIT, BASS_ERROR_HANDLE.
 */
BOOL BASSDEF(BASS_ChannelPlay)(DWORD handle, BOOL restart);

/** Pauses; BASS_ChannelPlay(handle, FALSE) resumes there. BASS_ERROR_NOPAUSE when not
 *  playing. */
BOOL BASSDEF(BASS_ChannelPause)(DWORD handle);

/** Stops; a later BASS_ChannelPlay(handle, FALSE) goes on from where it stopped. */
BOOL BASSDEF(BASS_ChannelStop)(DWORD handle);

/** Length in bytes (exact for WAV, AIFF, FLAC, Ogg Vorbis and MP3); (QWORD)-1 on error. */
QWORD BASSDEF(BASS_ChannelGetLength)(DWORD handle);

/**
 * Audible position in bytes: frames the device has consumed minus its latency. Right after
 * BASS_ChannelSetPosition it reads the new position. At the end of the stream it equals the
 * length. (QWORD)-1 on error.
 */
QWORD BASSDEF(BASS_ChannelGetPosition)(DWORD handle);

/** Moves to a byte position (rounded down to a whole sample frame): exact to the sample for
 *  PCM and FLAC, within one frame for MP3; playing goes on from there. BASS_ERROR_POSITION
 *  past the end. */
BOOL BASSDEF(BASS_ChannelSetPosition)(DWORD handle, QWORD pos);

/**
 * Sets the attributes: `freq` playback sample rate (0 keeps it; else 100..100000), `volume`
 * 0..100 (-1 keeps it; 0 silence, 100 full scale, changes are ramped over 20 ms), `pan`
 * -100..100 (-101 keeps it). All are checked before any is applied: BASS_ERROR_ILLPARAM.
 */
BOOL BASSDEF(BASS_ChannelSetAttributes)(DWORD handle, int freq, int volume, int pan);

/** Reads the attributes; any pointer may be NULL. */
BOOL BASSDEF(BASS_ChannelGetAttributes)(DWORD handle, DWORD* freq, DWORD* volume, int* pan);

/**
 * Sample or spectrum data of what is audible now: the samples that end at the audible
 * position, as heard (after the volume). `length` BASS_DATA_FFT1024 fills 512 floats
 * (magnitudes of a Hann-windowed 1024-sample FFT, channels averaged, a sine of amplitude a
 * reads about a at its bin) and returns 2048; BASS_DATA_FFT512 fills 256 and returns 1024.
 * BASS_DATA_AVAILABLE returns how many bytes of samples can be asked for. Otherwise `length`
 * bytes (whole frames, up to that many) of 16-bit interleaved samples are copied and the count
 * returned. While paused or stopped this describes the last samples heard; before any were
 * heard, silence. (DWORD)-1 on error: BASS_ERROR_INIT, BASS_ERROR_HANDLE, BASS_ERROR_ILLPARAM.
 */
DWORD BASSDEF(BASS_ChannelGetData)(DWORD handle, void* buffer, DWORD length);

/** BASS_ACTIVE_STOPPED, _PLAYING, _STALLED or _PAUSED; STOPPED for an unknown handle. */
DWORD BASSDEF(BASS_ChannelIsActive)(DWORD handle);

/** Seconds that `pos` bytes last at the stream's own byte rate; a negative value on error. */
double BASSDEF(BASS_ChannelBytes2Seconds)(DWORD handle, QWORD pos);

/** The code of the calling thread's last error, BASS_OK after a success. */
int BASSDEF(BASS_ErrorGetCode)(void);

#ifdef __cplusplus
}
#endif

#endif /* TARVO_ENGINE_BASS_H */
