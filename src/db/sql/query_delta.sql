SELECT MAX(date_time) FROM set_vm_741
WHERE operation_id IN (SELECT operation_id FROM operation
  WHERE electro_id = (SELECT electro_id FROM electrometer
     WHERE number = :number AND type_id = :type_id))
