package com.example.hello;

import com.google.gson.Gson;
import java.util.List;
import java.util.Map;
import javax.swing.JFrame;
import javax.swing.JLabel;
import javax.swing.SwingConstants;
import javax.swing.SwingUtilities;
import javax.swing.WindowConstants;

/** Shows a greeting of its arguments, as JSON; with --print first, prints it and exits. */
public final class Hello
{
    public static void main(String[] arguments)
    {
        String greeting = new Gson().toJson(Map.of("hello", List.of(arguments)));
        if (arguments.length > 0 && arguments[0].equals("--print"))
        {
            System.out.println(greeting);
            System.exit(arguments.length);
        }
        SwingUtilities.invokeLater(() -> {
            JFrame frame = new JFrame("Hello Maven");
            frame.add(new JLabel(greeting, SwingConstants.CENTER));
            frame.setSize(400, 120);
            frame.setDefaultCloseOperation(WindowConstants.EXIT_ON_CLOSE);
            frame.setVisible(true);
        });
    }
}
