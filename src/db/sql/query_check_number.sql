SELECT * FROM electrometer
WHERE number = :number 
AND type_id = :type_id
