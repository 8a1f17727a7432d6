/* Engine process channel: starts a program as a child process and exchanges text lines with it
 * over its standard input and output. It knows nothing of what the lines mean.
 *
 * All calls come from one thread. The caller owns one EngineChannel per connection, creates it
 * zeroed and passes it by address to every call; only the library looks inside.
 *
 * Lines in both directions end at LF. A CR right before the LF of an incoming line is dropped, so
 * engines that write CR LF read the same as those that write LF alone.
 */
#ifndef PIPE_PIPE_H
#define PIPE_PIPE_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(PIPE_BUILDING_LIBRARY)
#define PIPE_API __attribute__((visibility("default")))
#else
#define PIPE_API
#endif

enum {
    /* Incoming lines longer than this many bytes are cut here; the rest, up to its LF, is dropped. */
    PIPE_LINE_CAP = 65536,
    /* How long PipeClose lets the process exit on its own, and then after SIGTERM, before it kills
     * it. */
    PIPE_CLOSE_GRACE_MS = 500
};

struct PipeConnection;

typedef struct EngineChannel {
    /* The library's state of the open connection; NULL when none is open. */
    struct PipeConnection* connection;
} EngineChannel;

/* Starts the program named by commandLine as a child process, without a shell: the whole text is
 * the program's file name, blanks included. Its standard input and output are pipes to the
 * channel; its standard error is the caller's. It runs in a process group of its own and is killed
 * if the caller dies. A connection the channel already holds is closed first (PipeClose). Returns
 * 1 when a process was started, else 0. A file that is missing or cannot be executed still starts
 * a process, which exits at once: the caller sees its output end. */
PIPE_API int PipeOpen(EngineChannel* channel, const char* commandLine);

/* Sends one line, appending LF. Never raises SIGPIPE and never blocks for longer than about two
 * seconds in all. Returns 1 when the whole line was written; 0 when there is no connection, the
 * process has closed its input or gone, or it stopped reading, in which case the line is dropped. */
PIPE_API int PipeLineOutput(EngineChannel* channel, const char* line);

/* Never waits. Returns the next complete line the process wrote, without its line end, or NULL
 * when no complete line is waiting (or there is no connection). Once the output has ended, text
 * after the last LF is returned as a final line. The text stays valid until the next call on the
 * channel. */
PIPE_API const char* PipeLineInput(EngineChannel* channel);

/* Returns 1 when there is no connection, or when the process's output has ended (end of file or
 * a read error) and every line of it has been taken with PipeLineInput; else 0. */
PIPE_API int PipeOutputEnded(const EngineChannel* channel);

/* The descriptor PipeLineInput reads, for waiting until it is readable with poll or an event
 * loop; -1 when there is no connection. Only valid until PipeClose or the next PipeOpen. */
PIPE_API int PipeOutputDescriptor(const EngineChannel* channel);

/* Ends the connection: closes both pipes (the process sees the end of its input), waits up to
 * PIPE_CLOSE_GRACE_MS for it to exit, then sends SIGTERM to its process group and waits as long
 * again, then sends SIGKILL. The process is always reaped before this returns, so none is left
 * running or as a zombie. The channel is zero again afterwards. Returns 1 when a connection was
 * closed, 0 when there was none. */
PIPE_API int PipeClose(EngineChannel* channel);

#ifdef __cplusplus
}
#endif

#endif /* PIPE_PIPE_H */
