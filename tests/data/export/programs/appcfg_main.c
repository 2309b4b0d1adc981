/* Prints the HAL's record, declared as a C program declares it, byte by byte. */
#include <stdint.h>
#include <stdio.h>
typedef struct __attribute__((packed)) {
    char idString[16];
    uint16_t endianDetect, structSize;
    uint8_t regs[32];
    uint32_t clkiKHz, physMemAddr, physRegAddr;
    uint16_t frameRate;
    uint8_t padding[2];
} HAL_STRUCT;
#include "appcfg.h"
int main(void) {
    for (unsigned i = 0; i < sizeof HalInfo; ++i) printf("%02X", ((unsigned char*)&HalInfo)[i]);
}
