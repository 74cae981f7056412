// What stops a pack: the message the user reads. Thrown where the fault is found and caught once,
// by the tool (which prints it and ends with status 1) or the Maven plugin (a failed build),
// before anything has been put in place.
package jvmhost.pack;

public final class PackFailure extends Exception
{
    private static final long serialVersionUID = 1L;

    public PackFailure(String message) { super(message); }

    /** Why a file operation failed, as a sentence's end rather than an exception's name. */
    static String reason(java.io.IOException e)
    {
        if (e instanceof java.nio.file.NoSuchFileException)
            return "it is not there";
        if (e instanceof java.nio.file.AccessDeniedException)
            return "access is denied";
        if (e instanceof java.nio.file.FileAlreadyExistsException)
            return "a file of that name is in the way";
        if (e instanceof java.nio.file.DirectoryNotEmptyException)
            return "a folder that is not empty is in the way";
        if (e instanceof java.nio.file.NotDirectoryException)
            return "a file is where a folder must be";
        return e.getMessage() != null ? e.getMessage() : "the system gives no reason";
    }
}
