// Single instance with the int form: each later start ends with its first argument's value.
package probe;

import java.io.IOException;

public class ServeInt {
    public static void main(String[] args) throws Exception {
        Serve.main(args);
    }

    public static int secondaryMain(String[] args) throws IOException {
        Serve.secondaryMain(args);
        return Integer.parseInt(args[0]);
    }
}
