// What stops a pack: the message the user reads. Thrown where the fault is found and caught once,
// by the tool (which prints it and ends with status 1) or the Maven plugin (a failed build),
// before anything has been put in place.
package jvmhost.pack;

public final class PackFailure extends Exception
{
    private static final long serialVersionUID = 1L;

    public PackFailure(String message) { super(message); }
}
