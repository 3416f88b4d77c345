// An example Java install wizard, started by the launcher as
//   java <jvmExtraParameters> <jvmClasspathSwitch> <loaderClasspath> ExampleWizard [args] [-q|-s details]
// It shows what every wizard must do:
//   1. read "native.properties" (written by the launcher) to learn which JVM runs it;
//   2. honour "-q" (quiet install) and "-s" (install driven by a properties file) and their details;
//   3. create "__qbxwizard.sem" in the working directory once it has started properly, so the
//      launcher knows the start worked (without it the launcher retries or reports an error);
//   4. leave its own log as "*.log" in the working directory: the launcher saves it next to its own.
// "--no-handshake" makes it skip step 3, to show what the launcher does with a broken wizard;
// "--linger SECONDS" keeps it running that long, like a wizard the user is working in;
// "--handshake-if-installed" skips step 3 unless the launcher installed the JVM, like a wizard
// that needs a newer JVM than the one found (the launcher then installs one and starts it again).
//
// Keep to the language and library of Java 7: it must run on whatever JVM the launcher found.

import java.io.File;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStreamWriter;
import java.io.Writer;
import java.util.Properties;

public class ExampleWizard {
    static final String NATIVE_PROPERTIES = "native.properties";
    static final String HANDSHAKE_FILE = "__qbxwizard.sem";
    static final String LOG_FILE = "wizard.log";

    public static void main(String[] args) throws IOException, InterruptedException {
        boolean handshake = true;
        boolean onlyWithInstalledJvm = false;
        long lingerSeconds = 0;
        String mode = "interactive";
        StringBuilder details = new StringBuilder();
        for (int i = 0; i < args.length; i++) {
            if (args[i].equals("--no-handshake")) {
                handshake = false;
            } else if (args[i].equals("--handshake-if-installed")) {
                onlyWithInstalledJvm = true;
            } else if (args[i].equals("--linger") && i + 1 < args.length) {
                lingerSeconds = Long.parseLong(args[++i]);
            } else if (args[i].equals("-q") || args[i].equals("-s")) {
                mode = args[i].equals("-q") ? "quiet" : "properties";
                // The details are one argument; join any pieces a shell may have split.
                for (int j = i + 1; j < args.length; j++) {
                    if (details.length() > 0)
                        details.append(' ');
                    details.append(args[j]);
                }
                break;
            }
        }

        Properties record = new Properties();
        File recordFile = new File(NATIVE_PROPERTIES);
        if (recordFile.isFile()) {
            InputStream in = new FileInputStream(recordFile);
            try {
                record.load(in);
            } finally {
                in.close();
            }
        }

        if (onlyWithInstalledJvm && !"true".equals(record.getProperty("nativeJvmInstalled")))
            handshake = false;

        StringBuilder report = new StringBuilder();
        report.append("ExampleWizard running on Java ").append(System.getProperty("java.version")).append('\n');
        report.append("  mode: ").append(mode).append('\n');
        if (details.length() > 0)
            report.append("  details: ").append(details).append('\n');
        report.append("  arguments: ").append(args.length).append('\n');
        for (int i = 0; i < args.length; i++)
            report.append("    [").append(i).append("] ").append(args[i]).append('\n');
        for (String key : new String[] {"nativeJvmHomeDir", "nativeJvmInstalled", "nativeJvmInstalledInTemp",
                                        "configureWinRegistry"})
            report.append("  ").append(key).append(" = ").append(record.getProperty(key, "(missing)")).append('\n');
        report.append(handshake ? "  started properly: creating " + HANDSHAKE_FILE + "\n"
                                : "  --no-handshake: not creating " + HANDSHAKE_FILE + "\n");

        System.out.print(report);
        Thread.sleep(lingerSeconds * 1000);
        write(LOG_FILE, report.toString());
        if (handshake)
            write(HANDSHAKE_FILE, "ok\n");
    }

    static void write(String name, String text) throws IOException {
        Writer out = new OutputStreamWriter(new FileOutputStream(name, true), "UTF-8");
        try {
            out.write(text);
        } finally {
            out.close();
        }
    }
}
