// SPDX-License-Identifier: MIT
// The smallest console program of a build's architecture: if wine can start it, the machine can run
// that edition's tests. It says which width it was built for, so a mismatched loader shows.
#include <stdio.h>

int main(void) {
  printf("wine_probe: %d-bit\n", (int)(sizeof(void *) * 8));
  return 0;
}
