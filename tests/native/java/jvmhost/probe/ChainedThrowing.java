package jvmhost.probe;

import java.io.FileOutputStream;
import java.io.IOException;
import java.io.PrintStream;

// main throws an exception with a non-ASCII message and a cause, after writing the exception's
// own stack-trace printout, in UTF-8, to the file named by its first argument.
public class ChainedThrowing
{
    public static void main(String[] args) throws IOException
    {
        IllegalStateException thrown = new IllegalStateException(
            "\u0441\u0431\u043e\u0439 \u5931\u6557 \uD83D\uDE00", new IOException("inner cause"));
        try (PrintStream out = new PrintStream(new FileOutputStream(args[0]), true, "UTF-8"))
        {
            thrown.printStackTrace(out);
        }
        throw thrown;
    }
}
