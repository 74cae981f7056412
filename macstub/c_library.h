/* The C library functions the stub calls. Without Apple's SDK they are declared here for
   macOS; elsewhere the system's headers declare them. */
#ifndef MACSTUB_C_LIBRARY_H
#define MACSTUB_C_LIBRARY_H

#ifdef __APPLE__
typedef unsigned long size_t;
typedef struct __sFILE FILE;
extern FILE* __stderrp;
#define stderr __stderrp

int chdir(const char* path);
int fprintf(FILE* stream, const char* format, ...);
size_t fwrite(const void* data, size_t size, size_t count, FILE* stream);
void perror(const char* prefix);
void exit(int status) __attribute__((noreturn));
#else
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>
#endif

#endif
