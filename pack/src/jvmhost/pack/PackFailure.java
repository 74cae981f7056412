// What stops a pack: the message the user reads. Thrown where the fault is found and caught once,
// in Main, which prints it and ends with status 1 before anything has been put in place.
package jvmhost.pack;

final class PackFailure extends Exception
{
    private static final long serialVersionUID = 1L;

    PackFailure(String message) { super(message); }
}
