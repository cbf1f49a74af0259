/* An engine that answers only its version, one minor version newer than the player speaks. */
#include <stdint.h>

__attribute__((visibility("default"))) uint32_t BASS_GetVersion(void) {
    return 0x00020003;
}
