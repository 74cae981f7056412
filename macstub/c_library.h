/* The C library functions the stub calls. Without Apple's SDK they are declared here for
   macOS; elsewhere the system's headers declare them. */
#ifndef MACSTUB_C_LIBRARY_H
#define MACSTUB_C_LIBRARY_H

#ifdef __APPLE__
typedef unsigned long size_t;
typedef struct __sFILE FILE;
extern FILE* __stderrp;
#define stderr __stderrp

/* The directory entry of 64-bit inode numbers: arm64 has no other; on x86-64 the functions
   that use it carry the suffix $INODE64. */
typedef struct SMacDirectory DIR;
struct dirent
{
    unsigned long long d_ino;
    unsigned long long d_seekoff;
    unsigned short d_reclen;
    unsigned short d_namlen;
    unsigned char d_type;
    char d_name[1024];
};
#ifdef __x86_64__
#define MACSTUB_INODE64(name) __asm("_" name "$INODE64")
#else
#define MACSTUB_INODE64(name)
#endif

#define F_OK 0
#define RTLD_NOW 0x2
#define RTLD_LOCAL 0x4

int access(const char* path, int mode);
int chdir(const char* path);
int closedir(DIR* directory);
char* dlerror(void);
void* dlopen(const char* path, int mode);
void* dlsym(void* library, const char* name);
void exit(int status) __attribute__((noreturn));
int fclose(FILE* stream);
char* fgets(char* line, int size, FILE* stream);
FILE* fopen(const char* path, const char* mode);
int fprintf(FILE* stream, const char* format, ...);
int fputs(const char* text, FILE* stream);
void free(void* block);
size_t fwrite(const void* data, size_t size, size_t count, FILE* stream);
void* malloc(size_t size);
void* memcpy(void* target, const void* source, size_t size);
DIR* opendir(const char* path) MACSTUB_INODE64("opendir");
void perror(const char* prefix);
struct dirent* readdir(DIR* directory) MACSTUB_INODE64("readdir");
void* realloc(void* block, size_t size);
int snprintf(char* text, size_t size, const char* format, ...);
int strcmp(const char* left, const char* right);
size_t strlen(const char* text);
int strncmp(const char* left, const char* right, size_t count);
#else
#include <dirent.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#endif

/* Room for the longest path the stub builds: a bundle path and what it adds. */
enum
{
    kLongPathSize = 4096
};

/* A message without anything to fill in, on standard error. */
#define WRITE_ERROR(text) fwrite(text, 1, sizeof(text) - 1, stderr)

#endif
