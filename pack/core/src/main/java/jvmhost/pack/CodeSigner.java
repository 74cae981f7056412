// Authenticode signatures (SHA-256) on the stamped launchers, made with jsign from a PKCS#12
// keystore whose password lies in a file of its own.
package jvmhost.pack;

import java.io.IOException;
import java.io.InputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.security.GeneralSecurityException;
import java.security.KeyStore;
import net.jsign.AuthenticodeSigner;
import net.jsign.DigestAlgorithm;
import net.jsign.pe.PEFile;

final class CodeSigner
{
    private final AuthenticodeSigner signer;

    private CodeSigner(AuthenticodeSigner signer) { this.signer = signer; }

    /** The signer the description names; null when it names no keystore. */
    static CodeSigner of(Description description) throws PackFailure
    {
        if (description.signKeystore == null)
            return null;
        String password = readPassword(description.signPasswordFile);
        KeyStore keystore;
        try (InputStream in = Files.newInputStream(description.signKeystore))
        {
            keystore = KeyStore.getInstance("PKCS12");
            keystore.load(in, password.toCharArray());
        }
        catch (IOException | GeneralSecurityException e)
        {
            throw new PackFailure("The keystore " + description.signKeystore + " cannot be opened" +
                                  (Files.isRegularFile(description.signKeystore)
                                       ? " with the password in " + description.signPasswordFile
                                       : ": it is not there") +
                                  " (" + e.getMessage() + ")");
        }
        try
        {
            if (!keystore.isKeyEntry(description.signAlias))
                throw new PackFailure("The keystore " + description.signKeystore +
                                      " has no key named " + description.signAlias);
            AuthenticodeSigner signer =
                new AuthenticodeSigner(keystore, description.signAlias, password)
                    .withDigestAlgorithm(DigestAlgorithm.SHA256)
                    .withProgramName(description.name)
                    .withTimestamping(!description.signTimestampUrl.isEmpty());
            if (!description.signTimestampUrl.isEmpty())
                signer.withTimestampingAuthority(description.signTimestampUrl);
            return new CodeSigner(signer);
        }
        catch (GeneralSecurityException e)
        {
            throw new PackFailure("The key " + description.signAlias + " of " +
                                  description.signKeystore + " cannot be used: " + e.getMessage());
        }
    }

    /** Signs the executable in place. */
    void sign(Path executable) throws PackFailure
    {
        try (PEFile file = new PEFile(executable.toFile()))
        {
            signer.sign(file);
        }
        catch (Exception e)
        {
            throw new PackFailure(executable.getFileName() + " cannot be signed: " + e);
        }
    }

    /** The file's first line: a password ends at the line's end. */
    private static String readPassword(Path file) throws PackFailure
    {
        try
        {
            String text = Files.readString(file, StandardCharsets.UTF_8);
            int end = text.indexOf('\n');
            return (end < 0 ? text : text.substring(0, end)).replace("\r", "");
        }
        catch (IOException e)
        {
            throw new PackFailure("The password file " + file + " cannot be read");
        }
    }
}
