/* The process's audio output, as the Linux stand-in for the sound services uses it.
 * A program that wants to hear the gauges' click sounds exports a function of this
 * name and type from its executable; the stand-in hands it every sound that starts
 * playing. Without one the stand-in plays in silence. */
#ifndef PANEL_AUDIO_OUTPUT_H
#define PANEL_AUDIO_OUTPUT_H

#include <stdint.h>

#define PANEL_AUDIO_OUTPUT_SYMBOL "panel_audio_output"

/* The sample bytes from where playing starts, and their PCM format. */
typedef void (*PanelAudioOutput)(const uint8_t* samples, uint32_t size, uint32_t samples_per_second,
                                 uint16_t channels, uint16_t bits_per_sample);

#endif
