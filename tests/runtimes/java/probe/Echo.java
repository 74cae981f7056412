// The console case's program: reads a line from System.in, prints it back after text of its
// own with a character outside ASCII, and ends with 5.
package probe;

import java.io.BufferedReader;
import java.io.InputStreamReader;

public class Echo {
    public static void main(String[] args) throws Exception {
        String line = new BufferedReader(new InputStreamReader(System.in)).readLine();
        System.out.println("caf\u00e9 echo: " + line);
        System.exit(5);
    }
}
