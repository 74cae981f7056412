// The goal "pack": what jvmhost-pack makes from a description, made from the project. Each
// parameter is a key of the description; the project gives the defaults, and the jars are the
// project's artifact and its runtime dependencies, in lib/.
package jvmhost.maven;

import java.io.File;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import jvmhost.pack.Description;
import jvmhost.pack.Launchers;
import jvmhost.pack.Pack;
import jvmhost.pack.PackFailure;
import org.apache.maven.artifact.Artifact;
import org.apache.maven.plugin.AbstractMojo;
import org.apache.maven.plugin.MojoFailureException;
import org.apache.maven.plugins.annotations.Component;
import org.apache.maven.plugins.annotations.LifecyclePhase;
import org.apache.maven.plugins.annotations.Mojo;
import org.apache.maven.plugins.annotations.Parameter;
import org.apache.maven.plugins.annotations.ResolutionScope;
import org.apache.maven.project.MavenProject;
import org.apache.maven.project.MavenProjectHelper;

@Mojo(name = "pack", defaultPhase = LifecyclePhase.PACKAGE, threadSafe = true,
      requiresDependencyResolution = ResolutionScope.RUNTIME)
public final class PackMojo extends AbstractMojo
{
    @Parameter(defaultValue = "${project}", readonly = true, required = true)
    private MavenProject project;

    // Injected the way every Maven release since 3.0 injects a plugin's parts; the newer way
    // needs Maven 3.9.
    @SuppressWarnings("deprecation")
    @Component
    private MavenProjectHelper projectHelper;

    /** Where the folders and archives go. */
    @Parameter(property = "jvmhost.output", defaultValue = "${project.build.directory}/jvmhost")
    private File output;

    @Parameter(property = "jvmhost.name") private String name;
    @Parameter(property = "jvmhost.version") private String version;
    @Parameter(property = "jvmhost.company") private String company;
    @Parameter(property = "jvmhost.copyright") private String copyright;
    @Parameter(property = "jvmhost.description") private String description;
    @Parameter(property = "jvmhost.identifier") private String identifier;
    @Parameter(property = "jvmhost.icon") private String icon;
    @Parameter(property = "jvmhost.mainClass", required = true) private String mainClass;
    @Parameter(property = "jvmhost.minimumVersion") private String minimumVersion;
    @Parameter(property = "jvmhost.maximumVersion") private String maximumVersion;
    @Parameter(property = "jvmhost.vmOptions") private String vmOptions;
    @Parameter(property = "jvmhost.modernRuntimes") private String modernRuntimes;
    @Parameter(property = "jvmhost.classDataSharing") private String classDataSharing;
    @Parameter(property = "jvmhost.console") private String console;
    @Parameter(property = "jvmhost.appUserModelId") private String appUserModelId;
    @Parameter(property = "jvmhost.windowsRuntime") private String windowsRuntime;
    @Parameter(property = "jvmhost.windowsRuntime32") private String windowsRuntime32;
    @Parameter(property = "jvmhost.macosRuntime") private String macosRuntime;
    @Parameter(property = "jvmhost.signKeystore") private String signKeystore;
    @Parameter(property = "jvmhost.signAlias") private String signAlias;
    @Parameter(property = "jvmhost.signPasswordFile") private String signPasswordFile;
    @Parameter(property = "jvmhost.signTimestampUrl") private String signTimestampUrl;
    @Parameter(property = "jvmhost.skip", defaultValue = "false") private boolean skip;

    @Override
    public void execute() throws MojoFailureException
    {
        if (skip)
        {
            getLog().info("jvmhost: skipped");
            return;
        }
        try
        {
            String projectVersion = version != null ? version : project.getVersion();
            Map<String, String> keys = new LinkedHashMap<>();
            keys.put("Name", name != null ? name
                             : project.getName() != null ? project.getName()
                                                         : project.getArtifactId());
            keys.put("Version", Description.fourNumbers(projectVersion));
            keys.put("Display Version", projectVersion);
            keys.put("Company", company != null ? company
                                : project.getOrganization() != null
                                    ? project.getOrganization().getName()
                                    : null);
            keys.put("Copyright", copyright);
            keys.put("Description", description != null ? description : project.getDescription());
            keys.put("Identifier", identifier != null
                                       ? identifier
                                       : project.getGroupId() + "." + project.getArtifactId());
            keys.put("Icon", icon);
            keys.put("Main Class", mainClass);
            keys.put("Minimum Version", minimumVersion);
            keys.put("Maximum Version", maximumVersion);
            keys.put("VM Options", vmOptions);
            keys.put("Modern Runtimes", modernRuntimes);
            keys.put("Class Data Sharing", classDataSharing);
            keys.put("Console", console);
            keys.put("App User Model ID", appUserModelId);
            keys.put("Windows Runtime", windowsRuntime);
            keys.put("Windows Runtime 32", windowsRuntime32);
            keys.put("macOS Runtime", macosRuntime);
            keys.put("Sign Keystore", signKeystore);
            keys.put("Sign Alias", signAlias);
            keys.put("Sign Password File", signPasswordFile);
            keys.put("Sign Timestamp URL", signTimestampUrl);
            Description packed =
                Description.of(project.getBasedir().toPath(), keys, applicationJars());
            Pack.Result result =
                Pack.pack(packed, Launchers.fromResources(PackMojo.class), output.toPath());
            projectHelper.attachArtifact(project, "zip", "windows-x64",
                                         result.windowsArchive().toFile());
            projectHelper.attachArtifact(project, "zip", "macos", result.macosArchive().toFile());
            getLog().info("jvmhost: " + result.windowsArchive() + ", " + result.macosArchive());
        }
        catch (PackFailure failure)
        {
            throw new MojoFailureException("jvmhost: " + failure.getMessage(), failure);
        }
    }

    /** The project's own jar, then its runtime dependencies, all in lib/. */
    private List<Description.Jar> applicationJars() throws PackFailure
    {
        List<Description.Jar> jars = new ArrayList<>();
        File own = project.getArtifact().getFile();
        if (own == null || !own.isFile())
            throw new PackFailure("The project's jar is not made yet: bind the goal to the"
                                  + " package phase, after the jar");
        jars.add(new Description.Jar(own.toPath(), "lib/" + own.getName()));
        for (Artifact artifact : project.getArtifacts())
        {
            boolean runtime = Artifact.SCOPE_COMPILE.equals(artifact.getScope()) ||
                              Artifact.SCOPE_RUNTIME.equals(artifact.getScope());
            if (runtime && "jar".equals(artifact.getType()) && artifact.getFile() != null)
                jars.add(new Description.Jar(artifact.getFile().toPath(),
                                             "lib/" + artifact.getFile().getName()));
        }
        return jars;
    }
}
