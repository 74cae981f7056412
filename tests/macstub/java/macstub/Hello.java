package macstub;

// The application the macstub tests start: prints where it runs and what it was given, and
// exits with the status the property macstub.exit names (0 without it).
public class Hello
{
    public static void main(String[] args)
    {
        System.out.println("cwd=" + System.getProperty("user.dir"));
        System.out.println("property=" + System.getProperty("macstub.property"));
        System.out.println("maxMemory=" + Runtime.getRuntime().maxMemory() / (1024 * 1024));
        for (String argument : args)
            System.out.println("arg=" + argument);
        System.exit(Integer.getInteger("macstub.exit", 0));
    }
}
