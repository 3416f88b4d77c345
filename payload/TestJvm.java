// Run by the launcher with a candidate JVM: "java -cp . TestJvm <installation directory>".
// Writes jvmGood.txt into that directory; its first line carries the running JVM's version
// between quotes, the launcher reads the text from the first digit to the last one.
//
// Compiled for the oldest class-file version the build's javac can target, so that it loads
// in old JVMs as well as new ones. Keep to the oldest language and library (no generics,
// no StringBuilder), so that an old javac can compile it for still older JVMs.

import java.io.File;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.Writer;

public class TestJvm {
    static final String RESULT_FILE = "jvmGood.txt";

    public static void main(String[] args) {
        File directory = installationDirectory(args);
        String text = "java version \"" + property("java.version") + "\"\n"
                + "java.vendor=" + property("java.vendor") + "\n"
                + "java.home=" + property("java.home") + "\n";
        try {
            Writer out = new OutputStreamWriter(new FileOutputStream(new File(directory, RESULT_FILE)), "UTF-8");
            try {
                out.write(text);
            } finally {
                out.close();
            }
        } catch (IOException e) {
            System.err.println("TestJvm: cannot write " + RESULT_FILE + ": " + e.getMessage());
            System.exit(1);
        }
    }

    // The launcher passes the directory unquoted, so a path with blanks arrives in pieces:
    // join them again. When that names no directory (a path of another system, as under a
    // compatibility layer), use the current directory, where the launcher runs us anyway.
    static File installationDirectory(String[] args) {
        StringBuffer joined = new StringBuffer();
        for (int i = 0; i < args.length; i++) {
            if (i > 0)
                joined.append(' ');
            joined.append(args[i]);
        }
        String path = joined.toString();
        if (path.length() >= 2 && path.startsWith("\"") && path.endsWith("\""))
            path = path.substring(1, path.length() - 1);
        File directory = new File(path);
        if (path.length() > 0 && directory.isDirectory())
            return directory;
        return new File(property("user.dir"));
    }

    static String property(String name) {
        String value = System.getProperty(name);
        return value == null ? "" : value;
    }
}
