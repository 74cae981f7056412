// The application manifest: the application's name and description, the common controls 6 that
// the launcher's dialogs are drawn with, no elevation, and the choices of the description:
// per-monitor DPI awareness, long paths, and the Windows versions the application knows.
package jvmhost.pack;

import java.nio.charset.StandardCharsets;

final class ManifestResource
{
    private static final String[] SUPPORTED_OS = {
        "e2011457-1546-43c5-a5fe-008deee3d3f0", // Vista
        "35138b9a-5d96-4fbd-8e2d-a2440225f93a", // 7
        "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", // 8
        "1f676c76-80e1-4239-95bb-83d0f6d0da78", // 8.1
        "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a", // 10 and 11
    };

    private ManifestResource() {}

    static byte[] build(Description description, LauncherMachine machine)
    {
        StringBuilder xml = new StringBuilder();
        xml.append("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n")
            .append(
                "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n")
            .append("  <assemblyIdentity type=\"win32\" name=\"")
            .append(escape(description.identifier))
            .append("\" version=\"")
            .append(description.versionText())
            .append("\" processorArchitecture=\"")
            .append(machine.manifestName)
            .append("\"/>\n")
            .append("  <description>")
            .append(escape(description.description))
            .append("</description>\n")
            .append("  <dependency>\n    <dependentAssembly>\n")
            .append(
                "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\"")
            .append(" version=\"6.0.0.0\" processorArchitecture=\"*\"")
            .append(" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n")
            .append("    </dependentAssembly>\n  </dependency>\n")
            .append("  <trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">\n    <security>\n")
            .append("      <requestedPrivileges>\n")
            .append("        <requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>\n")
            .append("      </requestedPrivileges>\n    </security>\n  </trustInfo>\n");
        if (description.supportedOs)
        {
            xml.append("  <compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">\n")
                .append("    <application>\n");
            for (String id : SUPPORTED_OS)
                xml.append("      <supportedOS Id=\"{").append(id).append("}\"/>\n");
            xml.append("    </application>\n  </compatibility>\n");
        }
        if (description.dpiAware || description.longPathAware)
        {
            xml.append("  <application xmlns=\"urn:schemas-microsoft-com:asm.v3\">\n")
                .append("    <windowsSettings>\n");
            if (description.dpiAware)
                xml.append(
                       "      <dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">")
                    .append("true/pm</dpiAware>\n")
                    .append(
                        "      <dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">")
                    .append("PerMonitorV2, PerMonitor</dpiAwareness>\n");
            if (description.longPathAware)
                xml.append(
                       "      <longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">")
                    .append("true</longPathAware>\n");
            xml.append("    </windowsSettings>\n  </application>\n");
        }
        xml.append("</assembly>\n");
        return xml.toString().getBytes(StandardCharsets.UTF_8);
    }

    static String escape(String text)
    {
        return text.replace("&", "&amp;")
            .replace("<", "&lt;")
            .replace(">", "&gt;")
            .replace("\"", "&quot;");
    }
}
